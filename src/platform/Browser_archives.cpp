// The browser build has no PhysicsFS. The page unpacks a dropped archive into the program's file
// system itself (web/md2viewer.html), so here a folder is listed from the file system and every path
// is read as a plain file; an archive named directly is refused.
#include "files/FileSystem.h"

#include <filesystem>
#include <system_error>

bool CFileSystem::Mount(const std::string& root, std::string& mountPoint, std::string& why) {
    std::error_code error;
    if (!std::filesystem::is_directory(root, error)) {
        why = Refusal(root, "archives are unpacked by the page in the browser build");
        return false;
    }
    mountPoint = root;
    return true;
}

void CFileSystem::Unmount(const std::string&) {}

bool CFileSystem::MountedIsFile(const std::string&, const std::string&) {
    return false;
}

std::vector<std::string> CFileSystem::MountedFilesIn(const std::string&, const std::string&) {
    return {};
}

bool CFileSystem::MountedRead(const std::string&, const std::string&, const std::string&,
                              std::vector<uint8_t>&, std::string&) {
    return false;
}

void CFileSystem::MountedTree(const std::string& mountPoint, const std::string& folder,
                              std::vector<std::string>& files) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path root = fs::path(mountPoint) / folder;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) {
            files.push_back(it->path().lexically_relative(mountPoint).generic_string());
        }
    }
}
