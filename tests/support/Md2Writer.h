// Builds MD2 model files for tests and fuzz seeds: a valid version-8 file from frames, triangles,
// texture coordinates, a skin size and frame names, with hooks to corrupt header fields afterwards.
#pragma once

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

struct Md2Frame {
    std::array<float, 3> scale{{1.0f, 1.0f, 1.0f}};
    std::array<float, 3> translate{{0.0f, 0.0f, 0.0f}};
    // Written into 16 bytes; a name of 16 characters or more fills them without a terminator.
    std::string name;
    // Packed x, y, z bytes of every vertex (the light-normal byte is written as 0).
    std::vector<std::array<uint8_t, 3>> vertices;
};

struct Md2Triangle {
    std::array<int16_t, 3> vertex;
    std::array<int16_t, 3> texCoord;
};

struct Md2Writer {
    int32_t skinWidth = 256;
    int32_t skinHeight = 256;
    std::vector<std::string> skins;
    std::vector<std::array<int16_t, 2>> texCoords;
    std::vector<Md2Triangle> triangles;
    // Every frame must hold the same number of vertices (that of frame 0 goes into the header).
    std::vector<Md2Frame> frames;

    // The file: header, skins, texture coordinates, triangles, frames, in that order.
    std::vector<uint8_t> Bytes() const;
    // Writes Bytes() to path; false when the file cannot be written.
    bool Write(const std::string& path) const;

    // One triangle over three vertices, with texture coordinates, in frames of the given names.
    static Md2Writer NamedFrames(const std::vector<std::string>& names);
    // A closed box `size` units along the file's x, y and z (z is up), its corner at the origin, in two
    // frames of animation "box"; every side wears the whole skin, named in the table by `skins`.
    static Md2Writer Box(const std::array<float, 3>& size, const std::vector<std::string>& skins);
    // A seeded random mesh: vertices, triangles (some sharing and some repeating corners) and frames.
    static Md2Writer RandomMesh(int vertexCount, int triangleCount, int frameCount, uint32_t seed);
};

int32_t GetHeaderField(const std::vector<uint8_t>& file, Md2Field field);
void SetHeaderField(std::vector<uint8_t>& file, Md2Field field, int32_t value);

} // namespace korvel::test
