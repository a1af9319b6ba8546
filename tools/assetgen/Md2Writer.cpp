#include "Md2Writer.h"

#include "Generator.h"
#include "FileBytes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assetgen {

namespace {

// The MD2 format's own vertex limit; older readers that follow it would refuse a file beyond it.
const int kMaxVertices = 2048;
const size_t kSkinNameBytes = 64, kFrameNameBytes = 16;

bool Fits(const Md2Model& model, const std::string& path) {
    const size_t vertexCount = model.frames.empty() ? 0 : model.frames[0].vertices.size();
    const char* problem = nullptr;
    if (model.frames.empty() || vertexCount == 0 || vertexCount > kMaxVertices) {
        problem = "needs frames of 1 to 2048 vertices";
    } else if (model.skinName.size() >= kSkinNameBytes) {
        problem = "skin name too long";
    }
    for (const Md2Frame& frame : model.frames) {
        if (frame.vertices.size() != vertexCount) {
            problem = "frames differ in vertex count";
        } else if (frame.name.size() >= kFrameNameBytes) {
            problem = "frame name too long";
        }
    }
    const size_t texCoordCount = model.texCoords.size() / 2;
    for (const Md2Triangle& triangle : model.triangles) {
        for (int k = 0; k < 3; ++k) {
            if (triangle.vertex[k] < 0 || size_t(triangle.vertex[k]) >= vertexCount ||
                triangle.texCoord[k] < 0 || size_t(triangle.texCoord[k]) >= texCoordCount) {
                problem = "triangle index out of range";
            }
        }
    }
    if (problem) {
        std::fprintf(stderr, "assetgen: %s: %s\n", path.c_str(), problem);
    }
    return problem == nullptr;
}

// One frame: the bounding box maps onto 0..255 on each axis, so the scale is its size / 255.
korvel::files::Md2Frame PackFrame(const Md2Frame& frame) {
    V3 low = frame.vertices[0], high = frame.vertices[0];
    for (const V3& v : frame.vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    korvel::files::Md2Frame packed;
    packed.name = frame.name;
    packed.translate = {{low.x, low.y, low.z}};
    const float highAxis[3] = {high.x, high.y, high.z};
    for (int a = 0; a < 3; ++a) {
        packed.scale[a] =
            highAxis[a] > packed.translate[a] ? (highAxis[a] - packed.translate[a]) / 255.0f : 1.0f;
    }
    // The light-normal byte stays 0: our loader builds its own normals from the triangles, so no
    // table of precomputed normals is referenced.
    for (const V3& v : frame.vertices) {
        const float axis[3] = {v.x, v.y, v.z};
        std::array<uint8_t, 3> bytes;
        for (int a = 0; a < 3; ++a) {
            const long at = std::lround((axis[a] - packed.translate[a]) / packed.scale[a]);
            bytes[a] = uint8_t(std::clamp(at, 0L, 255L));
        }
        packed.vertices.push_back(bytes);
    }
    return packed;
}

} // namespace

bool WriteMd2(const std::string& path, const Md2Model& model) {
    if (!Fits(model, path)) {
        return false;
    }
    korvel::files::Md2File file;
    file.skinWidth = model.skinWidth;
    file.skinHeight = model.skinHeight;
    file.skins = {model.skinName};
    for (size_t i = 0; i + 1 < model.texCoords.size(); i += 2) {
        file.texCoords.push_back({{int16_t(model.texCoords[i]), int16_t(model.texCoords[i + 1])}});
    }
    for (const Md2Triangle& t : model.triangles) {
        file.triangles.push_back(
            {{{int16_t(t.vertex[0]), int16_t(t.vertex[1]), int16_t(t.vertex[2])}},
             {{int16_t(t.texCoord[0]), int16_t(t.texCoord[1]), int16_t(t.texCoord[2])}}});
    }
    for (const Md2Frame& frame : model.frames) {
        file.frames.push_back(PackFrame(frame));
    }
    return WriteBytes(path, file.Bytes());
}

} // namespace assetgen
