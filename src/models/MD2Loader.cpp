#include "models/MD2Loader.h"

#include <cstdio>
#include <iostream>
#include <memory>

CMD2Loader::CMD2Loader() : header(), bytes(nullptr), size(0) {}

CMD2Loader::~CMD2Loader() {
    CleanUp();
}

bool CMD2Loader::Load(ModelData& model, const char* path, const char* skinPath) {
    const char* name = path ? path : "";
    std::unique_ptr<FILE, int (*)(FILE*)> file(path ? std::fopen(path, "rb") : nullptr, std::fclose);
    if (!file) {
        ReleaseModelData(model);
        std::cerr << "Unable to find the file: " << name << "!" << std::endl;
        return false;
    }
    std::vector<uint8_t> contents;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        contents.insert(contents.end(), chunk, chunk + got);
    }
    file.reset();
    return LoadFromMemory(model, contents.data(), contents.size(), name, skinPath);
}

bool CMD2Loader::LoadFromMemory(ModelData& model, const uint8_t* data, size_t length, const char* name,
                                const char* skinPath) {
    // A model is loaded into an empty record, so a refused file leaves nothing behind.
    ReleaseModelData(model);
    CleanUp();
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
    for (RawFrame& frame : rawFrames) {
        delete[] frame.positions;
    }
    rawFrames.clear();
    rawTexCoords.clear();
    rawTriangles.clear();
}
