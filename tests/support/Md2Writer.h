// Builds MD2 model files for tests and fuzz seeds: a valid version-8 file from frames, triangles,
// texture coordinates, a skin size and frame names, with hooks to corrupt header fields afterwards.
#pragma once

#include "FileBytes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvel::test {

// Header fields in file order (index i sits at byte 4 * i).
enum class Md2Field {
    Magic,
    Version,
    SkinWidth,
    SkinHeight,
    FrameSize,
    SkinCount,
    VertexCount,
    TexCoordCount,
    TriangleCount,
    GlCommandCount,
    FrameCount,
    SkinOffset,
    TexCoordOffset,
    TriangleOffset,
    FrameOffset,
    GlCommandOffset,
    EndOffset
};

using files::Md2Frame;
using files::Md2Triangle;

// The shared MD2 file writer with what the tests add: writing to a path, and fixtures.
struct Md2Writer : files::Md2File {
    // Writes Bytes() to path; false when the file cannot be written.
    bool Write(const std::string& path) const;

    // One triangle over three vertices, with texture coordinates, in frames of the given names.
    static Md2Writer NamedFrames(const std::vector<std::string>& names);
    // A closed box `size` units along the file's x, y and z (z is up), its corner at the origin, in two
    // frames of animation "box"; every side wears the whole skin, named in the table by `skins`.
    static Md2Writer Box(const std::array<float, 3>& size, const std::vector<std::string>& skins);
    // An octahedron around packed (128, 128, 128) whose fronts face outward the MD2 way (clockwise seen
    // from outside), with a texture seam so that some vertices take two texture coordinates. Frames
    // stand1-3, run1-4, jump1-2: each moves, stretches and breathes the shape differently.
    static Md2Writer Octahedron();
    // A seeded random mesh: vertices, triangles (some sharing and some repeating corners) and frames.
    static Md2Writer RandomMesh(int vertexCount, int triangleCount, int frameCount, uint32_t seed);
};

int32_t GetHeaderField(const std::vector<uint8_t>& file, Md2Field field);
void SetHeaderField(std::vector<uint8_t>& file, Md2Field field, int32_t value);

} // namespace korvel::test
