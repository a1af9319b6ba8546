// Per-vertex normals: each vertex averages the face vectors of the triangles that use it, larger
// triangles weighing more, and the average is scaled to unit length. Where the face vectors cancel (a
// vertex on both sides of a thin plate) or are all zero (triangles without area), the vertex takes its
// first face's direction, or faces up when it has none: every drawn vertex has a unit normal.
#include "models/MD2Loader.h"

void CMD2Loader::ComputeNormals(ModelData& model) {
    if (model.frames.empty() || model.frames[0].triangles.empty()) {
        return;
    }
    const FrameMesh& first = model.frames[0];
    const size_t vertexCount = static_cast<size_t>(first.vertexCount);
    std::vector<Vec3> sums(vertexCount);
    std::vector<int> counts(vertexCount);
    std::vector<Vec3> firstFaces(vertexCount);
    for (FrameMesh& frame : model.frames) {
        std::fill(sums.begin(), sums.end(), Vec3());
        std::fill(counts.begin(), counts.end(), 0);
        std::fill(firstFaces.begin(), firstFaces.end(), Vec3());
        // One pass over the triangles in order adds each face to its corners, so every vertex gets
        // the same sums in the same order as a scan of all triangles per vertex would give.
        for (int k = 0; k < first.triangleCount; ++k) {
            const int32_t* v = first.triangles[k].vertexIndex;
            Vec3 p0 = frame.positions[v[0]];
            Vec3 p1 = frame.positions[v[1]];
            Vec3 p2 = frame.positions[v[2]];
            Vec3 face = Cross(Subtract(p0, p2), Subtract(p2, p1));
            // A triangle that names a vertex twice counts once for it.
            for (int j = 0; j < 3; ++j) {
                if ((j > 0 && v[j] == v[0]) || (j > 1 && v[j] == v[1])) {
                    continue;
                }
                const size_t vertex = static_cast<size_t>(v[j]);
                sums[vertex] = Add(sums[vertex], face);
                ++counts[vertex];
                if (firstFaces[vertex] == Vec3()) {
                    firstFaces[vertex] = face;
                }
            }
        }
        for (size_t i = 0; i < vertexCount; ++i) {
            // A vertex no triangle uses is never drawn; it keeps a zero normal.
            if (counts[i] == 0) {
                continue;
            }
            Vec3 normal = DivideByScalar(sums[i], static_cast<float>(counts[i]));
            float length = Length(normal);
            if (length == 0.0f) {
                normal = firstFaces[i];
                length = Length(normal);
            }
            frame.normals[i] = length != 0.0f ? DivideByScalar(normal, length) : Vec3(0.0f, 1.0f, 0.0f);
        }
    }
}
