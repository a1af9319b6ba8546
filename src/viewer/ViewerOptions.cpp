#include "viewer/ViewerOptions.h"

#include "base/Version.h"
#include "files/FileSystem.h"
#include "models/MD2Catalog.h"
#include "viewer/ViewerCommands.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

int Wrong(const std::string& message) {
    std::fprintf(stderr, "md2viewer: %s\n%s", message.c_str(), ViewerUsage());
    return 2;
}

} // namespace

std::string ViewerOptions::Absolute(const std::string& path) const {
    std::filesystem::path full = path[0] == '/' ? path : startDir + "/" + path;
    return full.lexically_normal().string();
}

int ViewerOptions::Parse(int argc, char* argv[]) {
    std::vector<char> cwd(4096);
    startDir = getcwd(cwd.data(), cwd.size()) ? cwd.data() : ".";

    std::vector<std::string> files, given;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const ViewerOption* option = nullptr;
        for (const ViewerOption& known : ViewerOptionTable()) {
            option = arg == known.name ? &known : option;
        }
        if (option) {
            if (option->value && (i + 1 >= argc || argv[i + 1][0] == '\0')) {
                return Wrong("option " + arg + " needs a value");
            }
            std::string error = option->apply(*this, option->value ? argv[++i] : "");
            if (!error.empty()) {
                return Wrong(error);
            }
            if (help) {
                std::printf("%s", ViewerHelp().c_str());
                return 0;
            }
            if (version) {
                std::printf("md2viewer (Korvel Engine) %s\n", KORVEL_VERSION);
                return 0;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Wrong("unknown option '" + arg + "'");
        } else if (arg.empty() || files.size() == 2) {
            return Wrong(arg.empty() ? "an empty file name" : "too many files: '" + arg + "'");
        } else {
            files.push_back(Absolute(arg));
            given.push_back(arg);
        }
    }
    const bool collection = !files.empty() && CMD2Catalog::IsCollection(files[0]);
    if (!animationFile.empty() && (files.empty() || (collection && files.size() < 2) || !sheet.empty())) {
        return Wrong("--animations goes with one model (MODEL.md2, ARCHIVE:MODEL or ARCHIVE MODEL)");
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
