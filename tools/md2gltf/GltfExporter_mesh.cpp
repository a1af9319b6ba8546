// The mesh: MD2 corners welded as the engine's vertex arrays weld them, moved into glTF's axes and
// units, frame 0 as the base and every later frame as a morph target of differences from it.
#include "GltfExporter.h"

#include "models/MD2Corners.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <functional>
#include <limits>

namespace {

// The smallest and largest value of each of the three components, as glTF asks of positions.
void Bounds(const std::vector<float>& xyz, std::vector<double>& min, std::vector<double>& max) {
    min.assign(3, std::numeric_limits<double>::max());
    max.assign(3, std::numeric_limits<double>::lowest());
    for (size_t i = 0; i < xyz.size(); ++i) {
        min[i % 3] = std::min(min[i % 3], static_cast<double>(xyz[i]));
        max[i % 3] = std::max(max[i % 3], static_cast<double>(xyz[i]));
    }
}

// One frame's positions (or normals, with scale 1) corner by corner, in glTF's axes.
std::vector<float> CornerArray(const std::vector<Vec3>& values, const std::vector<int32_t>& cornerVertex,
                               float scale) {
    std::vector<float> xyz(3 * cornerVertex.size());
    for (size_t c = 0; c < cornerVertex.size(); ++c) {
        CGltfExporter::ToGltf(values[cornerVertex[c]], scale, &xyz[3 * c]);
    }
    return xyz;
}

} // namespace

void CGltfExporter::ToGltf(const Vec3& p, float scale, float* out) {
    out[0] = -p.z * scale;
    out[1] = p.y * scale;
    out[2] = p.x * scale;
}

int CGltfExporter::AddIndices(std::vector<uint32_t>& indices, size_t vertices) {
    // MD2 fronts wind clockwise, glTF's counter-clockwise: two corners of every triangle swap.
    for (size_t i = 0; i + 2 < indices.size(); i += 3) {
        std::swap(indices[i + 1], indices[i + 2]);
    }
    // 65535 is the primitive restart of 16-bit indices, so it cannot name a vertex.
    const size_t count = indices.size();
    if (vertices < 65535) {
        std::vector<uint16_t> shortIndices(indices.begin(), indices.end());
        const int view = AddView(Append(shortIndices.data(), 2 * count), 2 * count, 0,
                                 TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        return AddAccessor(view, 0, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, TINYGLTF_TYPE_SCALAR, count);
    }
    const int view =
        AddView(Append(indices.data(), 4 * count), 4 * count, 0, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    return AddAccessor(view, 0, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, count);
}

int CGltfExporter::AddTexCoords(std::vector<float>& texCoords) {
    // glTF measures v from the top row of the image, the loader from the bottom row.
    for (size_t i = 1; i < texCoords.size(); i += 2) {
        texCoords[i] = 1.0f - texCoords[i];
    }
    const size_t size = texCoords.size() * sizeof(float);
    const int view = AddView(Append(texCoords.data(), size), size, 8, TINYGLTF_TARGET_ARRAY_BUFFER);
    return AddAccessor(view, 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, texCoords.size() / 2);
}

namespace {

// Whether any frame after the first moves a corner: a model whose frames all hold the same vertices
// is a plain mesh.
bool FramesMove(const ModelData& model, const std::vector<int32_t>& cornerVertex) {
    for (size_t f = 1; f < model.frames.size(); ++f) {
        for (int32_t v : cornerVertex) {
            const Vec3& a = model.frames[0].positions[v];
            const Vec3& b = model.frames[f].positions[v];
            if (a.x != b.x || a.y != b.y || a.z != b.z) {
                return true;
            }
        }
    }
    return false;
}

// Each value less the base's.
std::vector<float> Difference(std::vector<float> values, const std::vector<float>& base) {
    std::transform(values.begin(), values.end(), base.begin(), values.begin(), std::minus<float>());
    return values;
}

} // namespace

int CGltfExporter::AddFrames(const ModelData& model, const std::vector<int32_t>& cornerVertex,
                             std::map<std::string, int>& attributes,
                             std::vector<std::map<std::string, int>>& targets) {
    const size_t count = cornerVertex.size();
    const int targetCount = FramesMove(model, cornerVertex) ? static_cast<int>(model.frames.size()) - 1 : 0;
    // The base and every target, positions then normals, follow each other in one view of
    // three-float elements; accessors pick their block by offset.
    const size_t block = 3 * count * sizeof(float);
    const std::vector<float> basePositions =
        CornerArray(model.frames[0].positions, cornerVertex, options.scale);
    const std::vector<float> baseNormals = CornerArray(model.frames[0].normals, cornerVertex, 1.0f);
    const size_t start = Append(basePositions.data(), block);
    Append(baseNormals.data(), block);
    std::vector<std::vector<float>> targetPositions;
    for (int t = 1; t <= targetCount; ++t) {
        const FrameMesh& frame = model.frames[static_cast<size_t>(t)];
        targetPositions.push_back(
            Difference(CornerArray(frame.positions, cornerVertex, options.scale), basePositions));
        Append(targetPositions.back().data(), block);
        Append(Difference(CornerArray(frame.normals, cornerVertex, 1.0f), baseNormals).data(), block);
    }

    const int view =
        AddView(start, (2 + 2 * targetPositions.size()) * block, 12, TINYGLTF_TARGET_ARRAY_BUFFER);
    const auto addBlock = [&](size_t at, const std::vector<float>* positions) {
        std::vector<double> min, max;
        if (positions) {
            Bounds(*positions, min, max);
        }
        return AddAccessor(view, at, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count, min, max);
    };
    attributes["POSITION"] = addBlock(0, &basePositions);
    attributes["NORMAL"] = addBlock(block, nullptr);
    for (size_t t = 0; t < targetPositions.size(); ++t) {
        const size_t at = (2 + 2 * t) * block;
        targets.push_back(
            {{"POSITION", addBlock(at, &targetPositions[t])}, {"NORMAL", addBlock(at + block, nullptr)}});
    }
    return targetCount;
}

int CGltfExporter::AddMesh(const ModelData& model, const std::vector<std::string>& frameNames,
                           const std::string& name) {
    MD2Corners corners = BuildCorners(model);

    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.indices = AddIndices(corners.indices, corners.vertex.size());
    if (!corners.texCoords.empty()) {
        primitive.attributes["TEXCOORD_0"] = AddTexCoords(corners.texCoords);
    }
    const int targets = AddFrames(model, corners.vertex, primitive.attributes, primitive.targets);

    tinygltf::Mesh mesh;
    mesh.name = name;
    tinygltf::Value::Array targetNames;
    for (size_t t = 1; t <= primitive.targets.size(); ++t) {
        mesh.weights.push_back(0.0);
        // Modelling tools name shape keys from this list.
        targetNames.emplace_back(
            CleanName(t < frameNames.size() ? frameNames[t] : "frame" + std::to_string(t)));
    }
    if (!targetNames.empty()) {
        tinygltf::Value::Object extras;
        extras["targetNames"] = tinygltf::Value(targetNames);
        mesh.extras = tinygltf::Value(extras);
    }
    mesh.primitives.push_back(primitive);
    document->meshes.push_back(mesh);
    return targets;
}
