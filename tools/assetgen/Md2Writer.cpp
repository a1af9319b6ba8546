#include "Md2Writer.h"

#include "Generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace assetgen {

namespace {

// The MD2 format's own vertex limit; older readers that follow it would refuse a file beyond it.
const int kMaxVertices = 2048;
const int kHeaderBytes = 68, kSkinNameBytes = 64, kFrameNameBytes = 16;

void PutInt(std::vector<uint8_t>& out, int32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(uint8_t(uint32_t(value) >> (8 * i)));
    }
}

void PutFloat(std::vector<uint8_t>& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    PutInt(out, int32_t(bits));
}

void PutText(std::vector<uint8_t>& out, const std::string& text, size_t bytes) {
    out.insert(out.end(), text.begin(), text.end());
    out.resize(out.size() + bytes - text.size(), 0);
}

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
void PutFrame(std::vector<uint8_t>& out, const Md2Frame& frame) {
    V3 low = frame.vertices[0], high = frame.vertices[0];
    for (const V3& v : frame.vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    const float lowAxis[3] = {low.x, low.y, low.z};
    const float highAxis[3] = {high.x, high.y, high.z};
    float scale[3];
    for (int a = 0; a < 3; ++a) {
        scale[a] = highAxis[a] > lowAxis[a] ? (highAxis[a] - lowAxis[a]) / 255.0f : 1.0f;
        PutFloat(out, scale[a]);
    }
    for (int a = 0; a < 3; ++a) {
        PutFloat(out, lowAxis[a]);
    }
    PutText(out, frame.name, kFrameNameBytes);
    for (const V3& v : frame.vertices) {
        const float axis[3] = {v.x, v.y, v.z};
        for (int a = 0; a < 3; ++a) {
            const long packed = std::lround((axis[a] - lowAxis[a]) / scale[a]);
            out.push_back(uint8_t(std::clamp(packed, 0L, 255L)));
        }
        // The light-normal index: our loader builds its own normals from the triangles, so no
        // table of precomputed normals is referenced.
        out.push_back(0);
    }
}

} // namespace

bool WriteMd2(const std::string& path, const Md2Model& model) {
    if (!Fits(model, path)) {
        return false;
    }
    const int vertexCount = int(model.frames[0].vertices.size());
    const int texCoordCount = int(model.texCoords.size() / 2);
    const int triangleCount = int(model.triangles.size());
    const int frameCount = int(model.frames.size());
    const int frameBytes = 40 + 4 * vertexCount;
    const int skinsAt = kHeaderBytes;
    const int texCoordsAt = skinsAt + kSkinNameBytes;
    const int trianglesAt = texCoordsAt + 4 * texCoordCount;
    const int framesAt = trianglesAt + 12 * triangleCount;
    const int endAt = framesAt + frameBytes * frameCount;

    std::vector<uint8_t> out{'I', 'D', 'P', '2'};
    for (int32_t field :
         {8, model.skinWidth, model.skinHeight, frameBytes, 1, vertexCount, texCoordCount, triangleCount, 0,
          frameCount, skinsAt, texCoordsAt, trianglesAt, framesAt, endAt, endAt}) {
        PutInt(out, field);
    }
    PutText(out, model.skinName, kSkinNameBytes);
    for (int st : model.texCoords) {
        PutInt(out, st, 2);
    }
    for (const Md2Triangle& triangle : model.triangles) {
        for (int k = 0; k < 3; ++k) {
            PutInt(out, triangle.vertex[k], 2);
        }
        for (int k = 0; k < 3; ++k) {
            PutInt(out, triangle.texCoord[k], 2);
        }
    }
    for (const Md2Frame& frame : model.frames) {
        PutFrame(out, frame);
    }
    return WriteBytes(path, out);
}

} // namespace assetgen
