#include "models/MD2Loader.h"

#include "files/FileSystem.h"

#include <iostream>

CMD2Loader::CMD2Loader() : header(), bytes(nullptr), size(0) {}

CMD2Loader::~CMD2Loader() {
    CleanUp();
}

bool CMD2Loader::Load(ModelData& model, const char* path, const char* skinPath) {
    const std::string name = path ? path : "";
    // The header says how far the model reaches; reading stops there, so a pipe or device that
    // never ends (or a file with a long tail) is read only as far as a model can use it.
    const auto extent = [](const std::vector<uint8_t>& start) -> uint64_t {
        return start.size() < static_cast<size_t>(kHeaderSize) ? kHeaderSize
                                                               : ReferencedEnd(ParseHeader(start.data()));
    };
    std::vector<uint8_t> contents;
    std::string why;
    if (!path || !CFileSystem::Read(name, contents, why, extent)) {
        model = ModelData();
        std::cerr << (why.empty() ? "Unable to find the file: " + name + "!" : why) << std::endl;
        return false;
    }
    return LoadFromMemory(model, contents.data(), contents.size(), name.c_str(), skinPath);
}

bool CMD2Loader::LoadFromMemory(ModelData& model, const uint8_t* data, size_t length, const char* name,
                                const char* skinPath) {
    // A model is loaded into an empty record, so a refused file leaves nothing behind.
    model = ModelData();
    CleanUp();
    skinNames.clear();
    frameNames.clear();
    header = MD2Header();
    bytes = data;
    size = data ? length : 0;
    path = name ? name : "";

    bool ok = ReadHeader() && ReadData();
    if (ok) {
        ConvertFrames(model);
        ComputeNormals(model);
        if (skinPath) {
            Material material;
            material.fileName = skinPath;
            model.materials.push_back(material);
            model.materialCount = 1;
        }
    }
    CleanUp();
    bytes = nullptr;
    size = 0;
    return ok;
}

bool CMD2Loader::Refuse(const char* reason) {
    std::cerr << "Invalid file format (" << reason << "): " << path << "!" << std::endl;
    return false;
}

void CMD2Loader::CleanUp() {
    rawFrames.clear();
    rawTexCoords.clear();
    rawTriangles.clear();
}
