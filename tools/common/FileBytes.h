// Files written byte by byte, for assetgen (the committed data) and the tests (their fixtures and
// fuzz seeds), so that each format is written in one place: MD2 models, their tag files and Windows
// BMP pictures.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korvel::files {

// An MD2 model file made from its lists, version 8; the header's counts and offsets follow from them.
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

// A tag file ("JDP2", version 1): points that move with a model's frames, on which other models are
// placed. Each transform is twelve floats in the model file's own coordinates (z up): where the placed
// part's x, y and z axes point, then its origin.
struct TagFile {
    using Transform = std::array<float, 12>;

    int32_t frameCount = 0;
    // Each written into 64 bytes, as Md2Frame::name.
    std::vector<std::string> names;
    // frameCount transforms of the first tag, then of the second, and so on.
    std::vector<Transform> transforms;

    // The file: the 32-byte header, the names, the transforms.
    std::vector<uint8_t> Bytes() const;
    // Adds a tag riding the model's vertices frame by frame: its origin on vertex `corners[0]` as the
    // frame decodes it, its x axis toward `corners[1]`, its z axis across the triangle the three make.
    void AddRiding(const Md2File& model, const std::string& name, const std::array<int, 3>& corners);
};

// A BMP picture (BITMAPINFOHEADER, uncompressed).
struct BmpShape {
    int width = 4;
    int height = 3;
    int bitsPerPixel = 24; // 1, 4 or 8 (palettised), 16 (5-5-5), 24 or 32
    bool topDown = false;  // a negative height in the header: rows stored top row first
};

struct BmpColour {
    uint8_t r, g, b;
};

// The complete file: headers, a palette for 1 to 8 bits (black and white for 1, otherwise a grey
// ramp, each pixel getting the grey nearest its green), rows padded to four bytes. colourAt(x, y)
// gives each pixel, y counted from the top row.
std::vector<uint8_t> BmpBytes(const BmpShape& shape, const std::function<BmpColour(int x, int y)>& colourAt);

} // namespace korvel::files
