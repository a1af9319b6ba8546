// Builds Windows BMP files in memory (BITMAPINFOHEADER, uncompressed), for the BMP loader's tests and
// as seeds for its fuzz target.
#pragma once

#include <cstdint>
#include <vector>

namespace korvel::test {

struct BmpShape {
    int width = 4;
    int height = 3;
    int bitsPerPixel = 24; // 1, 4 or 8 (palettised), 16 (5-5-5), 24 or 32
    bool topDown = false;  // a negative height in the header: rows stored top row first
};

// The colour of pixel (x, y), y counted from the top row; palettised files round it to the palette.
struct BmpColour {
    uint8_t r, g, b;
};
BmpColour BmpPatternColour(int x, int y);

// The complete file: headers, a palette for 1 to 8 bits (grey ramp plus primaries), rows padded to
// four bytes, filled with BmpPatternColour.
std::vector<uint8_t> MakeBmp(const BmpShape& shape);

} // namespace korvel::test
