// Windows BMP files byte by byte (BITMAPINFOHEADER, uncompressed): assetgen writes the model skins
// with it, the tests the BMP loader's fixtures and fuzz seeds.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace korvel::files {

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
