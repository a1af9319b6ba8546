#include "models/MD2Mesh.h"

#include "base/Registry.h"
#include "models/SkinSearch.h"

#include <map>
#include <string>
#include <strings.h>
#include <tuple>
#include <utility>
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
    const MeshKey key = KeyOf(modelPath, skinPath);
    auto found = cache.find(key);
    if (found != cache.end()) {
        if (std::shared_ptr<const CMD2Mesh> held = found->second.lock()) {
            return held;
        }
        cache.erase(found);
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

CMD2Mesh::CMD2Mesh() : texture(0), skinHasAlpha(false) {}

CMD2Mesh::~CMD2Mesh() {
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

CTexture CMD2Mesh::LoadSkinImage(const char* skinPath) {
    if (!skinPath || !*skinPath || !gUtils) {
        return CTexture();
    }
    return CTexture::LoadSkin(skinPath);
}

unsigned int CMD2Mesh::LoadSkinTexture(const char* skinPath) {
    return LoadSkinImage(skinPath).Release();
}

void CMD2Mesh::LoadSkin(const char* skinPath) {
    CTexture loaded = LoadSkinImage(skinPath);
    if (loaded.Name() == 0) {
        return;
    }
    ownSkin = std::move(loaded);
    SetTexture(ownSkin.Name(), ownSkin.HasAlpha());
}

void CMD2Mesh::SetTexture(unsigned int name, bool hasAlpha) {
    texture = name;
    skinHasAlpha = hasAlpha;
}
