// The browser build has no PhysicsFS: it opens no archive and reads every path as a plain file.
#include "files/FileSystem.h"

bool CFileSystem::Mount(const std::string& root, std::string&, std::string& why) {
    why = Refusal(root, "archives are not read in the browser build");
    return false;
}

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

void CFileSystem::MountedTree(const std::string&, const std::string&, std::vector<std::string>&) {}
