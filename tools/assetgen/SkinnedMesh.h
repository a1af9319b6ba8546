// A mesh whose vertices follow one or two bones (linear blend skinning), built from simple
// primitives: tubes through rings, ellipsoids and flat slabs, each mapped onto its own rectangle of
// the skin.
#pragma once

#include "Md2Writer.h"
#include "MeshMath.h"

#include <map>
#include <utility>
#include <vector>

namespace assetgen {

// How a vertex follows the skeleton: `weight` of bone `a`, the rest of bone `b`.
struct Binding {
    int a = 0;
    int b = 0;
    float weight = 1;
};

// A vertex that moves with one bone only.
inline Binding Rigid(int bone) {
    return {bone, bone, 1};
}
// A vertex between two bones, such as one on an elbow ring.
inline Binding Blend(int a, int b, float weightOfA) {
    return {a, b, weightOfA};
}

// A rectangle of the skin in pixels: (s0, t0) top-left, (s1, t1) bottom-right.
struct SkinRect {
    float s0, t0, s1, t1;
};

struct SkinVertex {
    V3 rest;
    Binding binding;
};

// One cross-section of a tube: an ellipse around `centre` in the plane across the tube.
struct Ring {
    V3 centre;
    float radiusFront; // towards the tube's reference direction
    float radiusSide;
    Binding binding;
};

class SkinnedMesh {
public:
    int AddVertex(V3 rest, Binding binding);
    // A texture coordinate at (u, v) in 0..1 across `rect`; equal pixel positions are shared.
    int AddTexCoord(const SkinRect& rect, float u, float v);
    // A triangle turned so that it faces `outward`.
    void AddTriangle(const int vertex[3], const int texCoord[3], V3 outward);
    // The quad's corners 0, 1, 2 and 0, 2, 3 as two triangles, both turned to face `outward`.
    void AddQuad(const int vertex[4], const int texCoord[4], V3 outward);

    // A tube through `rings`; u runs around it with the reference direction `front` at u = 0.5, v
    // along it. A cap closes an end with a fan to a point `bulge` beyond the end ring (no cap when
    // the bulge is negative). Returns the index of the first vertex.
    int AddTube(const std::vector<Ring>& rings, V3 front, int segments, const SkinRect& rect,
                float startBulge, float endBulge);
    // An ellipsoid around `centre` with half-axes `front`, `side` and `up`; u runs around `up` with
    // `front` at u = 0.5, v from the top pole (0) to the bottom one (1). With `arc` below 1 only that
    // fraction of the turn around `up`, centred on `front`, is built (in `segments` steps), for an
    // ellipsoid whose back is buried in another part; its u stays that of the whole ellipsoid.
    void AddEllipsoid(V3 centre, V3 front, V3 side, V3 up, int segments, int rings, const SkinRect& rect,
                      Binding binding, float arc = 1.0f);
    // A two-sided plate: `outline` is a grid of columns x rows points (row by row, top row first),
    // shifted by +/- half of `thickness` along `normal` for its two faces.
    void AddSlab(const std::vector<V3>& outline, int columns, int rows, V3 normal, float thickness,
                 const SkinRect& frontRect, const SkinRect& backRect, const std::vector<Binding>& bindings);

    const std::vector<SkinVertex>& Vertices() const { return vertices; }
    const std::vector<Md2Triangle>& Triangles() const { return triangles; }
    // Pixel coordinates s0, t0, s1, t1, ...
    const std::vector<int>& TexCoords() const { return texCoords; }

private:
    std::vector<SkinVertex> vertices;
    std::vector<Md2Triangle> triangles;
    std::vector<int> texCoords;
    std::map<std::pair<int, int>, int> texCoordIndex;
};

} // namespace assetgen
