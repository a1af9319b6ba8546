#include "models/SkinSearch.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

const char* const kExtensions[] = {"pcx", "png", "tga", "bmp", "jpg"};

bool IsFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Names written on another system may separate folders with backslashes.
std::string Slashed(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

bool StaysInside(const std::string& name) {
    if (name.empty() || name[0] == '/' || name.find(':') != std::string::npos) {
        return false;
    }
    std::string padded = "/" + name + "/";
    return padded.find("/../") == std::string::npos;
}

// The file name without its folders and its extension.
std::string BaseName(const std::string& path) {
    std::string file = path.substr(path.find_last_of('/') + 1);
    size_t dot = file.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

} // namespace

std::string CSkinSearch::Find(const std::string& modelPath, const std::vector<std::string>& skinNames,
                              std::vector<std::string>& tried) {
    const std::string folder = modelPath.substr(0, modelPath.find_last_of('/') + 1);
    std::vector<std::string> candidates;
    std::vector<std::string> bases;
    for (const std::string& raw : skinNames) {
        std::string name = Slashed(raw);
        if (StaysInside(name)) {
            candidates.push_back(folder + name);
        }
        std::string base = BaseName(name);
        if (!base.empty() && base != "." && base != "..") {
            bases.push_back(base);
        }
    }
    if (bases.empty()) {
        bases.push_back(BaseName(modelPath));
    }
    for (const std::string& base : bases) {
        for (const char* extension : kExtensions) {
            candidates.push_back(folder + base + "." + extension);
        }
    }
    for (const std::string& candidate : candidates) {
        if (std::find(tried.begin(), tried.end(), candidate) != tried.end()) {
            continue;
        }
        tried.push_back(candidate);
        if (IsFile(candidate)) {
            return candidate;
        }
    }
    return "";
}
