#include "viewer/ViewerOptions.h"

#include "files/FileSystem.h"
#include "models/MD2Catalog.h"
#include "viewer/ViewerCommands.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

int Wrong(const std::string& message) {
    return korvel::tools::WrongCommandLine("md2viewer", ViewerUsage(), message);
}

} // namespace

std::string ViewerOptions::Absolute(const std::string& path) const {
    std::filesystem::path full = path[0] == '/' ? path : startDir + "/" + path;
    return full.lexically_normal().string();
}

int ViewerOptions::Parse(int argc, char* argv[]) {
    std::vector<char> cwd(4096);
    startDir = getcwd(cwd.data(), cwd.size()) ? cwd.data() : ".";

    std::vector<std::string> given;
    const int status = korvel::tools::ReadCommandLine(argc, argv, ViewerOptionTable(), *this, given, 2,
                                                      "md2viewer", ViewerUsage(), ViewerHelp);
    if (status >= 0) {
        return status;
    }
    std::vector<std::string> files;
    for (const std::string& file : given) {
        files.push_back(Absolute(file));
    }
    const bool collection = !files.empty() && CMD2Catalog::IsCollection(files[0]);
    const bool oneModel = !files.empty() && (!collection || files.size() >= 2) && sheet.empty();
    if (!animationFile.empty() && !oneModel) {
        return Wrong("--animations goes with one model (MODEL.md2, ARCHIVE:MODEL or ARCHIVE MODEL)");
    }
    if ((!attach.empty() || !with.empty()) && !oneModel) {
        return Wrong("--attach and --with go with one model (MODEL.md2, ARCHIVE:MODEL or ARCHIVE MODEL)");
    }
    if (!sheet.empty() && (!collection || files.size() > 1 || !screenshot.empty())) {
        return Wrong("--sheet takes one archive or folder, and no --screenshot");
    }
    // An archive or folder is browsed; a second name is then a model inside it.
    if (collection) {
        browse = files[0];
        model = files.size() > 1 ? CFileSystem::Join(browse, given[1]) : "";
        return -1;
    }
    model = files.size() > 0 ? files[0] : "";
    skin = files.size() > 1 ? files[1] : "";
    return -1;
}
