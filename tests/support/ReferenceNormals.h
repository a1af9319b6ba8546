// The vertex-by-vertex normal scan (every vertex walks every triangle): quadratic, kept as the
// yardstick that the loader's one-pass normals must match bit for bit.
#pragma once

#include "models/ModelData.h"

#include <vector>

namespace korvel::test {

// Normals of one frame's positions over frame 0's triangles; a vertex no triangle uses gets 0/0.
std::vector<Vec3> ScanNormals(const Vec3* positions, int vertexCount, const Triangle* triangles,
                              int triangleCount);

} // namespace korvel::test
