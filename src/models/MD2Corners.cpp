#include "models/MD2Corners.h"

#include <unordered_map>

MD2Corners BuildCorners(const ModelData& data) {
    MD2Corners corners;
    if (data.frames.empty() || data.frames[0].triangles.empty()) {
        return corners;
    }
    // The immediate drawing sends every corner on its own; a corner shared by several triangles with
    // the same vertex and texture coordinate is the same vertex to the rasterizer, so it is stored once.
    const FrameMesh& first = data.frames[0];
    const bool textured = !first.texCoords.empty();
    std::unordered_map<uint64_t, uint32_t> cornerOf;
    corners.indices.reserve(3 * static_cast<size_t>(first.triangleCount));
    for (int i = 0; i < first.triangleCount; ++i) {
        const Triangle& triangle = first.triangles[i];
        for (int j = 0; j < 3; ++j) {
            const int32_t vi = triangle.vertexIndex[j];
            const int32_t ti = textured ? triangle.texCoordIndex[j] : 0;
            const uint64_t key =
                (static_cast<uint64_t>(static_cast<uint32_t>(vi)) << 32) | static_cast<uint32_t>(ti);
            auto [at, added] = cornerOf.emplace(key, static_cast<uint32_t>(corners.vertex.size()));
            if (added) {
                corners.vertex.push_back(vi);
                if (textured) {
                    corners.texCoords.push_back(first.texCoords[ti].u);
                    corners.texCoords.push_back(first.texCoords[ti].v);
                }
            }
            corners.indices.push_back(at->second);
        }
    }
    return corners;
}
