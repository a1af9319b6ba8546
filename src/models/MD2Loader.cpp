#include "models/MD2Loader.h"

#include "files/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

CMD2Loader::CMD2Loader() : header(), bytes(nullptr), size(0) {}

CMD2Loader::~CMD2Loader() {
    CleanUp();
}

bool CMD2Loader::Load(ModelData& model, const char* path, const char* skinPath) {
    const char* name = path ? path : "";
    if (path && CFileSystem::InArchive(path)) {
        return LoadFromArchive(model, name, skinPath);
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(path ? std::fopen(path, "rb") : nullptr, std::fclose);
    if (!file) {
        ReleaseModelData(model);
        std::cerr << "Unable to find the file: " << name << "!" << std::endl;
        return false;
    }
    // The header says how far the model reaches; reading stops there, so a pipe or device that
    // never ends (or a file with a long tail) is read only as far as a model can use it.
    std::vector<uint8_t> contents;
    int64_t end = kHeaderSize;
    uint8_t chunk[65536];
    while (static_cast<int64_t>(contents.size()) < end) {
        const size_t want =
            static_cast<size_t>(std::min<int64_t>(sizeof chunk, end - static_cast<int64_t>(contents.size())));
        const size_t got = std::fread(chunk, 1, want, file.get());
        contents.insert(contents.end(), chunk, chunk + got);
        if (got < want) {
            break;
        }
        if (contents.size() == static_cast<size_t>(kHeaderSize)) {
            end = ReferencedEnd(ParseHeader(contents.data()));
        }
    }
    file.reset();
    return LoadFromMemory(model, contents.data(), contents.size(), name, skinPath);
}

bool CMD2Loader::LoadFromArchive(ModelData& model, const char* path, const char* skinPath) {
    std::vector<uint8_t> contents;
    std::string why;
    if (!CFileSystem::Read(path, contents, why)) {
        ReleaseModelData(model);
        std::cerr << (why.empty() ? "Unable to find the file: " + std::string(path) + "!" : why) << std::endl;
        return false;
    }
    return LoadFromMemory(model, contents.data(), contents.size(), path, skinPath);
}

bool CMD2Loader::LoadFromMemory(ModelData& model, const uint8_t* data, size_t length, const char* name,
                                const char* skinPath) {
    // A model is loaded into an empty record, so a refused file leaves nothing behind.
    ReleaseModelData(model);
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
    for (RawFrame& frame : rawFrames) {
        delete[] frame.positions;
    }
    rawFrames.clear();
    rawTexCoords.clear();
    rawTriangles.clear();
}
