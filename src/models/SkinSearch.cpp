#include "models/SkinSearch.h"

#include "files/FileSystem.h"

#include <algorithm>
#include <cctype>

namespace {

// The image kinds a skin may be, best first when one name matches several files.
const char* const kExtensions[] = {"pcx", "png", "tga", "bmp", "jpg", "jpeg"};
const int kNotAnImage = -1;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
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
    return padded.find("/../") == std::string::npos && padded.find("/./") == std::string::npos;
}

// The rank of a file name's extension among the image kinds, or kNotAnImage.
int ImageRank(const std::string& lowerName) {
    size_t dot = lowerName.find_last_of('.');
    if (dot == std::string::npos) {
        return kNotAnImage;
    }
    std::string extension = lowerName.substr(dot + 1);
    for (int i = 0; i < static_cast<int>(sizeof kExtensions / sizeof kExtensions[0]); ++i) {
        if (extension == kExtensions[i]) {
            return i;
        }
    }
    return kNotAnImage;
}

struct ImageFile {
    std::string name;  // as on disk
    std::string lower; // the name in lower case
    int rank;
};

// The images directly in folder (on disk or inside an archive), sorted by name so that the choice
// never depends on the order the folder lists them in.
std::vector<ImageFile> ImagesIn(const std::string& folder) {
    std::vector<ImageFile> images;
    for (const std::string& name : CFileSystem::FilesIn(folder)) {
        std::string lower = Lower(name);
        int rank = ImageRank(lower);
        if (rank != kNotAnImage) {
            images.push_back({name, lower, rank});
        }
    }
    return images;
}

// The best-ranked image whose name, or whose name without its extension, is `wanted`.
const ImageFile* Match(const std::vector<ImageFile>& images, const std::string& wanted, bool whole) {
    const ImageFile* best = nullptr;
    for (const ImageFile& image : images) {
        const std::string& key = whole ? image.lower : Lower(CFileSystem::StemOf(image.name));
        if (key == wanted && (!best || image.rank < best->rank)) {
            best = &image;
        }
    }
    return best;
}

// The table entry's file name: folders and leading dots dropped, in lower case; empty if nothing is left.
std::string EntryName(const std::string& slashed) {
    std::string file = slashed.substr(slashed.find_last_of('/') + 1);
    file.erase(0, file.find_first_not_of('.'));
    return Lower(file);
}

// The file beside the model that one table entry leads to, or empty.
std::string Resolve(const std::string& folder, const std::vector<ImageFile>& images, const std::string& raw,
                    std::vector<std::string>& tried) {
    std::string name = Slashed(raw);
    if (StaysInside(name) && ImageRank(Lower(name)) != kNotAnImage && CFileSystem::IsFile(folder + name)) {
        return folder + name;
    }
    std::string wanted = EntryName(name);
    if (wanted.empty()) {
        return "";
    }
    tried.push_back(folder + wanted);
    const ImageFile* found = Match(images, wanted, true);
    if (!found) {
        found = Match(images, wanted, false);
    }
    if (!found && CFileSystem::StemOf(wanted) != wanted) {
        found = Match(images, CFileSystem::StemOf(wanted), false);
    }
    return found ? folder + found->name : "";
}

// Where no entry of the table leads to a file: the image named after the model, then the folder's
// only image.
std::string Fallback(const std::string& folder, const std::vector<ImageFile>& images,
                     const std::string& modelPath, std::vector<std::string>& tried) {
    std::string modelName = Lower(CFileSystem::StemOf(CFileSystem::FileNameOf(modelPath)));
    tried.push_back(folder + modelName + ".*");
    if (const ImageFile* found = Match(images, modelName, false)) {
        return folder + found->name;
    }
    tried.push_back(folder + "*");
    return images.size() == 1 ? folder + images.front().name : "";
}

} // namespace

std::string CSkinSearch::Find(const std::string& modelPath, const std::vector<std::string>& skinNames,
                              std::vector<std::string>& tried) {
    const std::string folder = CFileSystem::FolderOf(modelPath);
    const std::vector<ImageFile> images = ImagesIn(folder);
    for (const std::string& raw : skinNames) {
        std::string found = Resolve(folder, images, raw, tried);
        if (!found.empty()) {
            return found;
        }
    }
    return Fallback(folder, images, modelPath, tried);
}

std::vector<std::string> CSkinSearch::FindAll(const std::string& modelPath,
                                              const std::vector<std::string>& skinNames) {
    std::vector<std::string> tried;
    return FindAll(modelPath, skinNames, tried);
}

std::vector<std::string> CSkinSearch::FindAll(const std::string& modelPath,
                                              const std::vector<std::string>& skinNames,
                                              std::vector<std::string>& tried) {
    const std::string folder = CFileSystem::FolderOf(modelPath);
    const std::vector<ImageFile> images = ImagesIn(folder);
    std::vector<std::string> skins;
    for (const std::string& raw : skinNames) {
        std::string found = Resolve(folder, images, raw, tried);
        if (!found.empty() && std::find(skins.begin(), skins.end(), found) == skins.end()) {
            skins.push_back(found);
        }
    }
    if (skins.empty()) {
        std::string found = Fallback(folder, images, modelPath, tried);
        if (!found.empty()) {
            skins.push_back(found);
        }
    }
    return skins;
}
