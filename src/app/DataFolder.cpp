#include "app/DataFolder.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool HasFolder(const fs::path& folder, const char* name) {
    std::error_code error;
    return !folder.empty() && fs::is_directory(folder / name, error);
}

bool HoldsData(const fs::path& folder) {
    return HasFolder(folder, "Data") && HasFolder(folder, "shaders");
}

} // namespace

std::vector<std::string> DataFolderCandidates(const std::string& executable, const std::string& fallback,
                                              const char* xdgDataDirs) {
    std::vector<std::string> candidates;
    if (!executable.empty()) {
        candidates.push_back((fs::path(executable).parent_path() / KORVEL_DATA_FROM_BIN).lexically_normal());
    }
    if (!fallback.empty()) {
        candidates.push_back(fallback);
    }
    std::istringstream dirs(xdgDataDirs && *xdgDataDirs ? xdgDataDirs : "/usr/local/share:/usr/share");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (!dir.empty()) {
            candidates.push_back((fs::path(dir) / "korvel").string());
        }
    }
    return candidates;
}

std::string FindDataFolder(const std::string& workingDir, const std::vector<std::string>& candidates) {
    if (HasFolder(workingDir, "Data") || HasFolder(workingDir, "shaders")) {
        return workingDir;
    }
    for (const std::string& candidate : candidates) {
        if (HoldsData(candidate)) {
            return candidate;
        }
    }
    return std::string();
}

bool EnterDataFolder(const std::string& fallback) {
    std::error_code error;
    fs::path working = fs::current_path(error);
    if (error) {
        return false;
    }
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    std::string folder =
        FindDataFolder(working.string(), DataFolderCandidates(error ? std::string() : executable.string(),
                                                              fallback, std::getenv("XDG_DATA_DIRS")));
    if (folder.empty()) {
        return false;
    }
    fs::current_path(folder, error);
    return !error;
}
