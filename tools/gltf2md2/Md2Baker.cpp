// Gathering: the meshes the scene draws, their attributes read and checked, the skin's texture chosen.
#include "Md2Baker.h"

#include "GltfAccessor.h"
#include "SkinTexture.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

// An attribute of `count` elements of `components` numbers, or false with the reason.
bool ReadAttribute(const tinygltf::Model& model, int accessor, int components, size_t count,
                   std::vector<float>& values, const std::string& what, std::string& error) {
    if (!ReadAccessor(model, accessor, components, values, error)) {
        error = what + ": " + error;
        return false;
    }
    if (values.size() != count * static_cast<size_t>(components)) {
        error = what + " has " + std::to_string(values.size() / static_cast<size_t>(components)) +
                " elements for " + std::to_string(count) + " vertices";
        return false;
    }
    return true;
}

// The triangles of a list, strip or fan as corner triples (glTF's rules for strips and fans keep
// every triangle's front); empty for points and lines.
std::vector<uint32_t> Triangles(const std::vector<uint32_t>& corners, int mode) {
    std::vector<uint32_t> triangles;
    const size_t n = corners.size();
    if (mode == TINYGLTF_MODE_TRIANGLES) {
        triangles.assign(corners.begin(), corners.begin() + static_cast<long>(n - n % 3));
    }
    for (size_t i = 0; mode == TINYGLTF_MODE_TRIANGLE_STRIP && i + 2 < n; ++i) {
        triangles.insert(triangles.end(), {corners[i], corners[i + 1 + i % 2], corners[i + 2 - i % 2]});
    }
    for (size_t i = 1; mode == TINYGLTF_MODE_TRIANGLE_FAN && i + 1 < n; ++i) {
        triangles.insert(triangles.end(), {corners[i], corners[i + 1], corners[0]});
    }
    return triangles;
}

} // namespace

CMd2Baker::CMd2Baker(const tinygltf::Model& model, const Md2BakeOptions& options)
    : model(model), options(options), pose(model), vertexCount(0) {}

std::string CMd2Baker::CleanName(const std::string& name, size_t length) {
    std::string clean;
    bool gap = false;
    for (unsigned char c : name.substr(name.find_last_of('|') + 1)) {
        if (std::isalnum(c) || c == '_') {
            if (gap && !clean.empty()) {
                clean += '_';
            }
            clean += static_cast<char>(c);
            gap = false;
        } else {
            gap = true;
        }
    }
    return clean.substr(0, length);
}

bool CMd2Baker::SourceOf(int material, size_t& source, std::string& error) {
    if (material < 0 || static_cast<size_t>(material) >= model.materials.size()) {
        material = -1;
    }
    const auto known = std::find(sourceMaterials.begin(), sourceMaterials.end(), material);
    source = static_cast<size_t>(known - sourceMaterials.begin());
    if (known != sourceMaterials.end()) {
        return true;
    }
    SkinSource skin;
    TexCoordSet set;
    if (material >= 0) {
        const tinygltf::Material& m = model.materials[static_cast<size_t>(material)];
        const tinygltf::TextureInfo& info = m.pbrMetallicRoughness.baseColorTexture;
        const std::pair<int, const char*> maps[] = {
            {m.normalTexture.index, "normal maps"},
            {m.occlusionTexture.index, "occlusion maps"},
            {m.emissiveTexture.index, "emissive maps"},
            {m.pbrMetallicRoughness.metallicRoughnessTexture.index, "metal and roughness maps"}};
        for (const auto& map : maps) {
            if (map.first >= 0) {
                leftOut.insert(map.second);
            }
        }
        for (size_t c = 0; c < 4 && m.pbrMetallicRoughness.baseColorFactor.size() == 4; ++c) {
            skin.factor[c] = static_cast<float>(m.pbrMetallicRoughness.baseColorFactor[c]);
        }
        const tinygltf::Texture* texture =
            info.index >= 0 && static_cast<size_t>(info.index) < model.textures.size()
                ? &model.textures[static_cast<size_t>(info.index)]
                : nullptr;
        if (texture && texture->source >= 0 && static_cast<size_t>(texture->source) < model.images.size()) {
            if (!DecodeSkinImage(model, texture->source, skin.rgba, skin.width, skin.height, error)) {
                error = "the skin's " + error;
                return false;
            }
            if (texture->sampler >= 0 && static_cast<size_t>(texture->sampler) < model.samplers.size()) {
                const tinygltf::Sampler& sampler = model.samplers[static_cast<size_t>(texture->sampler)];
                skin.wrap = {{sampler.wrapS, sampler.wrapT}};
            }
            set.set = info.texCoord;
            set.transform = TextureTransform(info, set.set);
        }
    }
    sources.push_back(std::move(skin));
    sourceMaterials.push_back(material);
    sourceTexCoords.push_back(set);
    return true;
}

bool CMd2Baker::ReadPiece(int node, int index, std::string& error) {
    const tinygltf::Node& source = model.nodes[static_cast<size_t>(node)];
    const tinygltf::Primitive& primitive =
        model.meshes[static_cast<size_t>(source.mesh)].primitives[static_cast<size_t>(index)];
    const std::string which = "mesh " + std::to_string(source.mesh) + " primitive " + std::to_string(index);
    const int mode = primitive.mode < 0 ? TINYGLTF_MODE_TRIANGLES : primitive.mode;
    if (mode != TINYGLTF_MODE_TRIANGLES && mode != TINYGLTF_MODE_TRIANGLE_STRIP &&
        mode != TINYGLTF_MODE_TRIANGLE_FAN) {
        // Not an error: a scene may carry guides or particles beside its mesh. Said, not hidden.
        std::fprintf(stderr, "gltf2md2: %s is drawn as points or lines and left out (MD2 holds triangles)\n",
                     which.c_str());
        return true;
    }
    const auto attribute = [&primitive](const std::string& name) {
        const auto found = primitive.attributes.find(name);
        return found == primitive.attributes.end() ? -1 : found->second;
    };
    Piece piece;
    piece.node = node;
    piece.skin = source.skin;
    piece.first = vertexCount;
    piece.influences = 0;
    if (attribute("POSITION") < 0) {
        error = which + " has no POSITION";
        return false;
    }
    if (!ReadAccessor(model, attribute("POSITION"), 3, piece.positions, error)) {
        error = which + " POSITION: " + error;
        return false;
    }
    const size_t count = piece.positions.size() / 3;
    if (attribute("NORMAL") >= 0 &&
        !ReadAttribute(model, attribute("NORMAL"), 3, count, piece.normals, which + " NORMAL", error)) {
        return false;
    }
    if (!SourceOf(primitive.material, piece.source, error)) {
        return false;
    }
    const TexCoordSet& set = sourceTexCoords[piece.source];
    const std::string texCoord = "TEXCOORD_" + std::to_string(set.set);
    if (attribute(texCoord) < 0) {
        piece.texCoords.assign(2 * count, 0.0f);
    } else if (!ReadAttribute(model, attribute(texCoord), 2, count, piece.texCoords, which + " " + texCoord,
                              error)) {
        return false;
    }
    for (size_t v = 0; v < count; ++v) {
        const std::array<double, 6>& t = set.transform;
        const double u = piece.texCoords[2 * v], w = piece.texCoords[2 * v + 1];
        piece.texCoords[2 * v] = static_cast<float>(t[0] * u + t[1] * w + t[2]);
        piece.texCoords[2 * v + 1] = static_cast<float>(t[3] * u + t[4] * w + t[5]);
    }
    if (attribute("COLOR_0") >= 0) {
        leftOut.insert("vertex colours");
    }
    for (size_t t = 0; t < primitive.targets.size(); ++t) {
        const auto found = primitive.targets[t].find("POSITION");
        piece.targets.emplace_back(3 * count, 0.0f);
        if (found != primitive.targets[t].end() &&
            !ReadAttribute(model, found->second, 3, count, piece.targets.back(),
                           which + " morph target " + std::to_string(t), error)) {
            return false;
        }
    }
    if (piece.skin >= 0 && !ReadSkinning(piece, primitive, error)) {
        error = which + " " + error;
        return false;
    }

    std::vector<uint32_t> corners;
    if (primitive.indices >= 0) {
        std::vector<double> values;
        if (!ReadAccessor(model, primitive.indices, 1, values, error)) {
            error = which + " indices: " + error;
            return false;
        }
        for (double value : values) {
            if (value < 0 || value >= static_cast<double>(count) || value != static_cast<uint32_t>(value)) {
                error = which + " has an index outside its " + std::to_string(count) + " vertices";
                return false;
            }
            corners.push_back(static_cast<uint32_t>(value));
        }
    } else {
        for (size_t i = 0; i < count; ++i) {
            corners.push_back(static_cast<uint32_t>(i));
        }
    }
    piece.triangles = Triangles(corners, mode);
    vertexCount += count;
    pieces.push_back(std::move(piece));
    return true;
}

bool CMd2Baker::ReadSkinning(Piece& piece, const tinygltf::Primitive& primitive, std::string& error) {
    if (static_cast<size_t>(piece.skin) >= skinJoints.size()) {
        error = "names skin " + std::to_string(piece.skin) + ", which does not exist";
        return false;
    }
    const size_t count = piece.positions.size() / 3;
    const size_t joints = skinJoints[static_cast<size_t>(piece.skin)].size();
    for (int set = 0;; ++set) {
        const std::string jointsName = "JOINTS_" + std::to_string(set);
        const std::string weightsName = "WEIGHTS_" + std::to_string(set);
        const auto jointsFound = primitive.attributes.find(jointsName);
        const auto weightsFound = primitive.attributes.find(weightsName);
        if (jointsFound == primitive.attributes.end() || weightsFound == primitive.attributes.end()) {
            if (set == 0) {
                error = "is skinned but has no JOINTS_0 and WEIGHTS_0";
                return false;
            }
            return true;
        }
        std::vector<double> setJoints, setWeights;
        if (!ReadAccessor(model, jointsFound->second, 4, setJoints, error) ||
            !ReadAccessor(model, weightsFound->second, 4, setWeights, error)) {
            error = jointsName + "/" + weightsName + ": " + error;
            return false;
        }
        if (setJoints.size() != 4 * count || setWeights.size() != 4 * count) {
            error = jointsName + "/" + weightsName + " do not hold one entry per vertex";
            return false;
        }
        for (double joint : setJoints) {
            if (joint < 0 || joint >= static_cast<double>(joints)) {
                error = jointsName + " names a joint outside the skin's " + std::to_string(joints);
                return false;
            }
        }
        // The sets are laid out vertex by vertex, four influences a set.
        std::vector<double> mergedJoints, mergedWeights;
        for (size_t v = 0; v < count; ++v) {
            const auto at = static_cast<long>(v * piece.influences);
            mergedJoints.insert(mergedJoints.end(), piece.joints.begin() + at,
                                piece.joints.begin() + at + static_cast<long>(piece.influences));
            mergedJoints.insert(mergedJoints.end(), setJoints.begin() + static_cast<long>(4 * v),
                                setJoints.begin() + static_cast<long>(4 * v + 4));
            mergedWeights.insert(mergedWeights.end(), piece.weights.begin() + at,
                                 piece.weights.begin() + at + static_cast<long>(piece.influences));
            mergedWeights.insert(mergedWeights.end(), setWeights.begin() + static_cast<long>(4 * v),
                                 setWeights.begin() + static_cast<long>(4 * v + 4));
        }
        piece.joints.swap(mergedJoints);
        piece.weights.swap(mergedWeights);
        piece.influences += 4;
    }
}

bool CMd2Baker::ReadSkins(std::string& error) {
    for (size_t s = 0; s < model.skins.size(); ++s) {
        const tinygltf::Skin& skin = model.skins[s];
        const std::string which = "skin " + std::to_string(s);
        if (skin.joints.empty()) {
            error = which + " has no joints";
            return false;
        }
        for (int joint : skin.joints) {
            if (joint < 0 || static_cast<size_t>(joint) >= model.nodes.size()) {
                error = which + " names a joint node that does not exist";
                return false;
            }
        }
        std::vector<Mat4> binds(skin.joints.size(), Identity());
        if (skin.inverseBindMatrices >= 0) {
            std::vector<double> values;
            if (!ReadAccessor(model, skin.inverseBindMatrices, 16, values, error)) {
                error = which + " inverse bind matrices: " + error;
                return false;
            }
            if (values.size() < 16 * binds.size()) {
                error = which + " has fewer inverse bind matrices than joints";
                return false;
            }
            for (size_t j = 0; j < binds.size(); ++j) {
                std::copy(values.begin() + static_cast<long>(16 * j),
                          values.begin() + static_cast<long>(16 * j + 16), binds[j].begin());
            }
        }
        skinJoints.push_back(skin.joints);
        inverseBinds.push_back(binds);
    }
    return true;
}
