#include "models/MD2Mesh.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "models/MD2VertexArrays.h"
#include "models/SkinSearch.h"

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// A file and its skin as the caller named them; a null skin differs from an empty one.
using MeshKey = std::tuple<std::string, bool, std::string>;

MeshKey KeyOf(const char* modelPath, const char* skinPath) {
    return MeshKey(modelPath ? modelPath : "", skinPath != nullptr, skinPath ? skinPath : "");
}

// A model file's path as given, for the files read.
std::string PathOf(const char* modelPath) {
    return modelPath ? modelPath : "";
}

// The cache holds no mesh alive: a mesh goes with its last holder, while the GL context it was made
// in still lives, rather than at the end of the process.
std::map<MeshKey, std::weak_ptr<const CMD2Mesh>>& Cache() {
    static std::map<MeshKey, std::weak_ptr<const CMD2Mesh>> cache;
    return cache;
}

// Whether a texture someone else made holds alpha in its first level; the binding is left as it was.
bool HasAlpha(GLuint texture) {
    if (texture == 0) {
        return false;
    }
    GLint bound = 0, alphaBits = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    return alphaBits > 0;
}

} // namespace

struct CMD2Mesh::File {
    CMD2Loader loader;
    ModelData data;
};

namespace {

// The files read, by path, held alive only by their meshes.
std::map<std::string, std::weak_ptr<const CMD2Mesh::File>>& Files() {
    static std::map<std::string, std::weak_ptr<const CMD2Mesh::File>> files;
    return files;
}

} // namespace

MD2Skin MD2Skin::Of(unsigned int texture) {
    return {texture, HasAlpha(texture)};
}

MD2Skin MD2Skin::Of(const std::shared_ptr<const CTexture>& texture) {
    return texture ? MD2Skin{texture->Name(), texture->HasAlpha()} : MD2Skin{};
}

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
    if (!mesh->Read(modelPath, skinPath, true, true)) {
        return nullptr;
    }
    cache[key] = mesh;
    return mesh;
}

std::shared_ptr<CMD2Mesh> CMD2Mesh::LoadWithoutSkin(const char* modelPath, const char* skinPath) {
    auto mesh = std::make_shared<CMD2Mesh>();
    if (!mesh->Read(modelPath, skinPath, false, false)) {
        return nullptr;
    }
    return mesh;
}

void CMD2Mesh::Forget(const char* modelPath, const char* skinPath) {
    Cache().erase(KeyOf(modelPath, skinPath));
    Files().erase(PathOf(modelPath));
}

CMD2Mesh::CMD2Mesh() = default;

CMD2Mesh::~CMD2Mesh() {
    // The arrays go with the last mesh of the file's frames.
    if (!file || file.use_count() == 1) {
        CMD2VertexArrays::Forget(*this);
    }
}

const CMD2Loader& CMD2Mesh::GetLoader() const {
    static const CMD2Loader none;
    return file ? file->loader : none;
}

bool CMD2Mesh::Read(const char* modelPath, const char* skinPath, bool withSkin, bool shared) {
    std::weak_ptr<const File>* entry = shared ? &Files()[PathOf(modelPath)] : nullptr;
    file = entry ? entry->lock() : nullptr;
    if (!file) {
        auto read = std::make_shared<File>();
        if (!read->loader.Load(read->data, modelPath, nullptr)) {
            if (entry) {
                Files().erase(PathOf(modelPath));
            }
            return false;
        }
        file = read;
        if (entry) {
            *entry = file;
        }
    }
    data = file->data;
    if (skinPath) {
        data.materials.push_back(Material{std::string(), skinPath});
        data.materialCount = 1;
    }
    if (withSkin) {
        CTexture image = LoadSkinImage(skinPath ? skinPath : FindSkin(modelPath).c_str());
        if (image.Name() != 0) {
            skin = std::make_shared<const CTexture>(std::move(image));
        }
    }
    return true;
}

std::string CMD2Mesh::FindSkin(const char* modelPath) const {
    std::vector<std::string> tried;
    return CSkinSearch::Find(modelPath ? modelPath : "", GetLoader().GetSkinNames(), tried);
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
