// Writes TGA files for the loader's tests: types 2 and 10, 24 or 32 bits, either row order, with an
// optional image ID field. Pixels are given R,G,B(,A), bottom row first, as the loader returns them.
#pragma once

#include <cstdint>
#include <vector>

namespace korvel::test {

struct TgaOptions {
    bool runLength = false;
    // Store the rows top row first and say so in the image descriptor.
    bool topDown = false;
    // Bytes of image ID written between the header and the pixels.
    uint8_t idLength = 0;
};

// The file bytes for a width x height image of 3 or 4 bytes per pixel.
std::vector<uint8_t> MakeTga(int width, int height, int bytesPerPixel, const std::vector<uint8_t>& pixels,
                             const TgaOptions& options = {});

// The 18-byte header alone (ID length, type, zero colour map and origin, size, depth, descriptor).
std::vector<uint8_t> TgaHeader(uint8_t type, int width, int height, int bitsPerPixel, uint8_t idLength = 0,
                               uint8_t descriptor = 0);

// A test picture with flat runs longer than a row and noisy stretches, R,G,B(,A) bottom row first.
std::vector<uint8_t> TestPicture(int width, int height, int bytesPerPixel);

} // namespace korvel::test
