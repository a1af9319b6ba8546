#include "models/MD2Mesh.h"

#include "app/Registry.h"
#include "graphics/GL.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"
#include "models/SkinSearch.h"

#include <map>
#include <string>
#include <strings.h>
#include <tuple>
#include <vector>

namespace {

// A file and its skin as the caller named them; a null skin differs from an empty one.
using MeshKey = std::tuple<std::string, bool, std::string>;

MeshKey KeyOf(const char* modelPath, const char* skinPath) {
    return MeshKey(modelPath ? modelPath : "", skinPath != nullptr, skinPath ? skinPath : "");
}

// The cache holds no mesh alive: a mesh goes with its last holder, while the GL context it was made
// in still lives, rather than at the end of the process.
std::map<MeshKey, std::weak_ptr<const CMD2Mesh>>& Cache() {
    static std::map<MeshKey, std::weak_ptr<const CMD2Mesh>> cache;
    return cache;
}

} // namespace

std::shared_ptr<const CMD2Mesh> CMD2Mesh::Load(const char* modelPath, const char* skinPath) {
    auto& cache = Cache();
    for (auto at = cache.begin(); at != cache.end();) {
        at = at->second.expired() ? cache.erase(at) : std::next(at);
    }
    const MeshKey key = KeyOf(modelPath, skinPath);
    auto found = cache.find(key);
    if (found != cache.end()) {
        return found->second.lock();
    }
    auto mesh = std::make_shared<CMD2Mesh>();
    if (!mesh->Read(modelPath, skinPath)) {
        return nullptr;
    }
    cache[key] = mesh;
    return mesh;
}

void CMD2Mesh::Forget(const char* modelPath, const char* skinPath) {
    Cache().erase(KeyOf(modelPath, skinPath));
}

CMD2Mesh::CMD2Mesh() : texture(0), ownsTexture(false) {}

CMD2Mesh::~CMD2Mesh() {
    DeleteOwnTexture();
    ReleaseModelData(data);
}

bool CMD2Mesh::Read(const char* modelPath, const char* skinPath) {
    bool loaded = loader.Load(data, modelPath, skinPath);
    arrays.Build(data);
    for (const Material& material : data.materials) {
        LoadSkin(material.fileName.c_str());
    }
    if (loaded && !skinPath) {
        std::vector<std::string> tried;
        LoadSkin(CSkinSearch::Find(modelPath, loader.GetSkinNames(), tried).c_str());
    }
    return loaded;
}

void CMD2Mesh::LoadSkin(const char* skinPath) {
    const std::string name = skinPath ? skinPath : "";
    if (name.empty() || !gUtils) {
        return;
    }
    bool bmp = name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".bmp") == 0;
    GLuint loaded = bmp ? gUtils->LoadBMPTexture(name.c_str()) : gUtils->LoadImageTexture(name.c_str());
    if (loaded != 0) {
        SetTexture(loaded);
        ownsTexture = true;
    }
}

void CMD2Mesh::SetTexture(unsigned int name) {
    if (name == texture) {
        return;
    }
    DeleteOwnTexture();
    texture = name;
    ownsTexture = false;
}

void CMD2Mesh::DeleteOwnTexture() {
    if (ownsTexture && texture != 0 && CGraphicsCore::ContextAlive()) {
        glDeleteTextures(1, &texture);
    }
    ownsTexture = false;
}
