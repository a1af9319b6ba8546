// The mesh: MD2 corners welded as the engine's vertex arrays weld them, moved into glTF's axes and
// units, frame 0 as the base and every later frame as a morph target of differences from it.
#include "GltfExporter.h"

#include "models/MD2Corners.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <limits>

namespace {

// glTF's axes from the loader's (y up, model facing +x): the model turns to face +z, and MD2 units
// become metres by the scale. A rotation, so handedness is kept.
void ToGltf(const Vec3& p, float scale, float* out) {
    out[0] = -p.z * scale;
    out[1] = p.y * scale;
    out[2] = p.x * scale;
}

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
std::vector<float> CornerArray(const Vec3* values, const std::vector<int32_t>& cornerVertex, float scale) {
    std::vector<float> xyz(3 * cornerVertex.size());
    for (size_t c = 0; c < cornerVertex.size(); ++c) {
        ToGltf(values[cornerVertex[c]], scale, &xyz[3 * c]);
    }
    return xyz;
}

} // namespace

void CGltfExporter::AddMesh(const ModelData& model, const std::vector<std::string>& frameNames,
                            const std::string& name) {
    MD2Corners corners = BuildCorners(model);
    const size_t count = corners.vertex.size();
    vertexCount = static_cast<int>(count);

    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    // MD2 fronts wind clockwise, glTF's counter-clockwise: two corners of every triangle swap.
    for (size_t i = 0; i + 2 < corners.indices.size(); i += 3) {
        std::swap(corners.indices[i + 1], corners.indices[i + 2]);
    }
    // 65535 is the primitive restart of 16-bit indices, so it cannot name a vertex.
    const size_t indexCount = corners.indices.size();
    if (count < 65535) {
        std::vector<uint16_t> shortIndices(corners.indices.begin(), corners.indices.end());
        const int view = AddView(Append(shortIndices.data(), 2 * indexCount), 2 * indexCount, 0,
                                 TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        primitive.indices =
            AddAccessor(view, 0, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, TINYGLTF_TYPE_SCALAR, indexCount);
    } else {
        const int view = AddView(Append(corners.indices.data(), 4 * indexCount), 4 * indexCount, 0,
                                 TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        primitive.indices =
            AddAccessor(view, 0, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, indexCount);
    }

    if (!corners.texCoords.empty()) {
        // glTF measures v from the top row of the image, the loader from the bottom row.
        for (size_t i = 1; i < corners.texCoords.size(); i += 2) {
            corners.texCoords[i] = 1.0f - corners.texCoords[i];
        }
        const size_t size = corners.texCoords.size() * sizeof(float);
        const int view =
            AddView(Append(corners.texCoords.data(), size), size, 8, TINYGLTF_TARGET_ARRAY_BUFFER);
        primitive.attributes["TEXCOORD_0"] =
            AddAccessor(view, 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, count);
    }

    // A model whose frames all hold the same vertices is a plain mesh.
    const size_t frames = model.frames.size();
    bool moves = false;
    for (size_t f = 1; f < frames && !moves; ++f) {
        for (size_t c = 0; c < count && !moves; ++c) {
            const Vec3& a = model.frames[0].positions[corners.vertex[c]];
            const Vec3& b = model.frames[f].positions[corners.vertex[c]];
            moves = a.x != b.x || a.y != b.y || a.z != b.z;
        }
    }
    targetCount = moves ? static_cast<int>(frames) - 1 : 0;

    // The base and every target, positions then normals, follow each other in one view of
    // three-float elements; accessors pick their block by offset.
    const size_t block = 3 * count * sizeof(float);
    const std::vector<float> basePositions =
        CornerArray(model.frames[0].positions, corners.vertex, options.scale);
    const std::vector<float> baseNormals = CornerArray(model.frames[0].normals, corners.vertex, 1.0f);
    const size_t start = Append(basePositions.data(), block);
    Append(baseNormals.data(), block);
    struct Blocks {
        size_t positions;
        std::vector<double> min, max;
    };
    std::vector<Blocks> targets(static_cast<size_t>(targetCount));
    for (size_t t = 0; t < targets.size(); ++t) {
        const FrameMesh& frame = model.frames[t + 1];
        std::vector<float> delta = CornerArray(frame.positions, corners.vertex, options.scale);
        for (size_t i = 0; i < delta.size(); ++i) {
            delta[i] -= basePositions[i];
        }
        targets[t].positions = Append(delta.data(), block);
        Bounds(delta, targets[t].min, targets[t].max);
        delta = CornerArray(frame.normals, corners.vertex, 1.0f);
        for (size_t i = 0; i < delta.size(); ++i) {
            delta[i] -= baseNormals[i];
        }
        Append(delta.data(), block);
    }
    const int view = AddView(start, (2 + 2 * targets.size()) * block, 12, TINYGLTF_TARGET_ARRAY_BUFFER);
    std::vector<double> min, max;
    Bounds(basePositions, min, max);
    primitive.attributes["POSITION"] =
        AddAccessor(view, 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count, min, max);
    primitive.attributes["NORMAL"] =
        AddAccessor(view, block, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count);

    tinygltf::Mesh mesh;
    mesh.name = name;
    tinygltf::Value::Array targetNames;
    for (size_t t = 0; t < targets.size(); ++t) {
        const size_t at = targets[t].positions - start;
        primitive.targets.push_back(
            {{"POSITION", AddAccessor(view, at, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count,
                                      targets[t].min, targets[t].max)},
             {"NORMAL",
              AddAccessor(view, at + block, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, count)}});
        mesh.weights.push_back(0.0);
        // Modelling tools name shape keys from this list.
        targetNames.emplace_back(
            CleanName(t + 1 < frameNames.size() ? frameNames[t + 1] : "frame" + std::to_string(t + 1)));
    }
    if (!targetNames.empty()) {
        tinygltf::Value::Object extras;
        extras["targetNames"] = tinygltf::Value(targetNames);
        mesh.extras = tinygltf::Value(extras);
    }
    mesh.primitives.push_back(primitive);
    document->meshes.push_back(mesh);
}
