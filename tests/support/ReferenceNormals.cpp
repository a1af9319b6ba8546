#include "support/ReferenceNormals.h"

namespace korvel::test {

std::vector<Vec3> ScanNormals(const Vec3* positions, int vertexCount, const Triangle* triangles,
                              int triangleCount) {
    std::vector<Vec3> faces(static_cast<size_t>(triangleCount));
    for (int k = 0; k < triangleCount; ++k) {
        const int32_t* v = triangles[k].vertexIndex;
        faces[k] =
            Cross(Subtract(positions[v[0]], positions[v[2]]), Subtract(positions[v[2]], positions[v[1]]));
    }
    std::vector<Vec3> normals(static_cast<size_t>(vertexCount));
    for (int i = 0; i < vertexCount; ++i) {
        Vec3 sum;
        int count = 0;
        for (int k = 0; k < triangleCount; ++k) {
            const int32_t* v = triangles[k].vertexIndex;
            if (v[0] == i || v[1] == i || v[2] == i) {
                sum = Add(sum, faces[k]);
                ++count;
            }
        }
        Vec3 normal = DivideByScalar(sum, static_cast<float>(count));
        if (Length(normal) != 0.0f) {
            normal = Normalize(normal);
        }
        normals[i] = normal;
    }
    return normals;
}

} // namespace korvel::test
