#include "files/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool IsPlainFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsPlainFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// An inner path stays inside its archive: no leading '/', no drive or backslash, no "." or ".."
// folder. The empty path is the archive's top.
bool StaysInside(const std::string& inner) {
    if (inner.empty()) {
        return true;
    }
    if (inner[0] == '/' || inner.find_first_of(":\\") != std::string::npos) {
        return false;
    }
    const std::string padded = "/" + inner + "/";
    return padded.find("/../") == std::string::npos && padded.find("/./") == std::string::npos &&
           padded.find("//") == std::string::npos;
}

} // namespace

bool CFileSystem::SplitArchivePath(const std::string& path, std::string& archive, std::string& inner) {
    if (IsPlainFile(path) || IsPlainFolder(path)) {
        return false;
    }
    for (size_t colon = path.find(':'); colon != std::string::npos; colon = path.find(':', colon + 1)) {
        if (colon > 0 && IsPlainFile(path.substr(0, colon))) {
            archive = path.substr(0, colon);
            inner = path.substr(colon + 1);
            return true;
        }
    }
    return false;
}

std::string CFileSystem::FolderOf(const std::string& path) {
    std::string archive, inner;
    if (SplitArchivePath(path, archive, inner)) {
        return archive + ":" + inner.substr(0, inner.find_last_of('/') + 1);
    }
    return path.substr(0, path.find_last_of('/') + 1);
}

std::string CFileSystem::FileNameOf(const std::string& path) {
    return path.substr(FolderOf(path).size());
}

std::string CFileSystem::StemOf(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool CFileSystem::NameEndsWith(const std::string& name, const char* ending) {
    const size_t n = std::strlen(ending);
    return name.size() >= n && strcasecmp(name.c_str() + name.size() - n, ending) == 0;
}

std::string CFileSystem::FindNoCase(const std::string& folder, const std::vector<std::string>& names) {
    const std::vector<std::string> files = FilesIn(folder);
    for (const std::string& wanted : names) {
        for (const std::string& file : files) {
            if (strcasecmp(file.c_str(), wanted.c_str()) == 0) {
                return folder + file;
            }
        }
    }
    return "";
}

std::string CFileSystem::Refusal(const std::string& archive, const std::string& reason) {
    return "Unable to read the archive (" + reason + "): " + archive + "!";
}

std::string CFileSystem::BesideModel(const std::string& path, const std::string& modelPath) {
    std::string archive, inner;
    if (path.empty() || path[0] == '/' || SplitArchivePath(path, archive, inner) || IsFile(path) ||
        !SplitArchivePath(modelPath, archive, inner)) {
        return path;
    }
    return Join(archive, path);
}

bool CFileSystem::IsFile(const std::string& path) {
    std::string archive, inner, mountPoint, why;
    if (!SplitArchivePath(path, archive, inner)) {
        return IsPlainFile(path);
    }
    return StaysInside(inner) && Mount(archive, mountPoint, why) && MountedIsFile(mountPoint, inner);
}

std::vector<std::string> CFileSystem::FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::string archive, inner, mountPoint, why;
    // A folder path ends in '/' or ':', so the archive is found by the name before that colon.
    if (!folder.empty() && folder.back() == ':' && IsPlainFile(folder.substr(0, folder.size() - 1))) {
        archive = folder.substr(0, folder.size() - 1);
    } else if (!SplitArchivePath(folder, archive, inner)) {
        DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
        if (!dir) {
            return names;
        }
        while (const dirent* entry = readdir(dir)) {
            if (IsPlainFile(folder + entry->d_name)) {
                names.push_back(entry->d_name);
            }
        }
        closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }
    if (!inner.empty() && inner.back() == '/') {
        inner.pop_back();
    }
    if (StaysInside(inner) && Mount(archive, mountPoint, why)) {
        names = MountedFilesIn(mountPoint, inner);
        std::sort(names.begin(), names.end());
    }
    return names;
}

bool CFileSystem::Read(const std::string& path, std::vector<uint8_t>& bytes, std::string& why,
                       const Extent& extent) {
    bytes.clear();
    why.clear();
    std::string archive, inner, mountPoint;
    if (SplitArchivePath(path, archive, inner)) {
        if (!StaysInside(inner)) {
            why = Refusal(archive, "the name " + inner + " leaves the archive");
            return false;
        }
        return Mount(archive, mountPoint, why) && MountedRead(mountPoint, archive, inner, bytes, why);
    }
    // Without an extent only a regular file is read: a device would be read on and on.
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file || IsPlainFolder(path) || (!extent && !IsPlainFile(path))) {
        return false;
    }
    uint64_t end = extent ? extent(bytes) : kMaxEntrySize + 1;
    uint8_t chunk[65536];
    while (bytes.size() < end) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof chunk, end - bytes.size()));
        const size_t got = std::fread(chunk, 1, want, file.get());
        if (bytes.size() + got > kMaxEntrySize) {
            why = "File larger than 256 MiB: " + path + "!";
            bytes.clear();
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < want) {
            break;
        }
        end = extent ? extent(bytes) : end;
    }
    return true;
}

bool CFileSystem::ListTree(const std::string& root, std::vector<std::string>& files, std::string& why) {
    files.clear();
    why.clear();
    std::string mountPoint;
    if (!IsPlainFile(root) && !IsPlainFolder(root)) {
        why = "Unable to find the archive or folder: " + root + "!";
        return false;
    }
    if (!Mount(root, mountPoint, why)) {
        return false;
    }
    MountedTree(mountPoint, "", files);
    std::sort(files.begin(), files.end());
    return true;
}

std::string CFileSystem::Join(const std::string& root, const std::string& inner) {
    if (IsPlainFolder(root)) {
        return root.empty() || root.back() == '/' ? root + inner : root + "/" + inner;
    }
    return root + ":" + inner;
}
