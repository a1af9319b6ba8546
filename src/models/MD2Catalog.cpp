#include "models/MD2Catalog.h"

#include "files/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <sys/stat.h>

namespace {

bool HasArchiveSignature(const std::string& path) {
    std::vector<uint8_t> magic;
    std::string why;
    if (!CFileSystem::Read(path, magic, why, [](const std::vector<uint8_t>&) { return 4; }) ||
        magic.size() != 4) {
        return false;
    }
    return std::memcmp(magic.data(), "PACK", 4) == 0 || (magic[0] == 'P' && magic[1] == 'K');
}

} // namespace

bool CMD2Catalog::IsCollection(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        return true;
    }
    return S_ISREG(info.st_mode) &&
           (CFileSystem::NameEndsWith(path, ".pak") || CFileSystem::NameEndsWith(path, ".pk3") ||
            CFileSystem::NameEndsWith(path, ".zip") || HasArchiveSignature(path));
}

bool CMD2Catalog::Open(const std::string& path) {
    root = path;
    models.clear();
    current = 0;
    std::vector<std::string> files;
    std::string why;
    if (!CFileSystem::ListTree(root, files, why)) {
        std::cerr << why << std::endl;
        return false;
    }
    std::copy_if(files.begin(), files.end(), std::back_inserter(models),
                 [](const std::string& file) { return CFileSystem::NameEndsWith(file, ".md2"); });
    return true;
}

std::string CMD2Catalog::Path(size_t i) const {
    return CFileSystem::Join(root, models[i]);
}

void CMD2Catalog::Step(int steps) {
    if (models.empty()) {
        return;
    }
    const long n = static_cast<long>(models.size());
    current = static_cast<size_t>(((static_cast<long>(current) + steps) % n + n) % n);
}

bool CMD2Catalog::Select(const std::string& inner) {
    auto found = std::find(models.begin(), models.end(), inner);
    if (found == models.end()) {
        return false;
    }
    current = static_cast<size_t>(found - models.begin());
    return true;
}

std::string CMD2Catalog::Place() const {
    return "model " + std::to_string(models.empty() ? 0 : current + 1) + " of " +
           std::to_string(models.size());
}
