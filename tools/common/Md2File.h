// MD2 model files byte by byte: a version-8 file made from its lists, the header's counts and offsets
// following from them. assetgen writes the viewer's model with it, the tests their fixtures.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvel::files {

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

struct Md2File {
    int32_t skinWidth = 256;
    int32_t skinHeight = 256;
    // Each written into 64 bytes, as Md2Frame::name.
    std::vector<std::string> skins;
    // s, t in skin pixels, t from the top row.
    std::vector<std::array<int16_t, 2>> texCoords;
    std::vector<Md2Triangle> triangles;
    // Every frame must hold the same number of vertices (that of frame 0 goes into the header).
    std::vector<Md2Frame> frames;

    // The file: header, skins, texture coordinates, triangles, frames, in that order (no GL commands).
    std::vector<uint8_t> Bytes() const;
};

} // namespace korvel::files
