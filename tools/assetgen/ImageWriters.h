// Image file writers shared by the generators: RGBA PNG (libpng) and 24-bit BMP. Both write exactly
// the same bytes for the same pixels (no time stamps, fixed compression settings).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// An image in memory: rows top first, `channels` bytes per pixel (3 = RGB, 4 = RGBA).
struct Bitmap {
    int width = 0;
    int height = 0;
    int channels = 4;
    std::vector<uint8_t> pixels;

    Bitmap() = default;
    Bitmap(int w, int h, int c) : width(w), height(h), channels(c), pixels(size_t(w) * h * c, 0) {}
    uint8_t* At(int x, int y) { return &pixels[(size_t(y) * width + x) * channels]; }
    const uint8_t* At(int x, int y) const { return &pixels[(size_t(y) * width + x) * channels]; }
};

// Writes an RGBA bitmap as an 8-bit-per-channel RGBA PNG; false after a message on failure.
bool WritePng(const std::string& path, const Bitmap& image);

// Writes an RGB bitmap as an uncompressed bottom-up 24-bit BMP; false after a message on failure.
bool WriteBmp(const std::string& path, const Bitmap& image);

} // namespace assetgen
