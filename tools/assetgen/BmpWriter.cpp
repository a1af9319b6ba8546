#include "BmpWriter.h"

#include "Generator.h"

#include <cstdio>

namespace assetgen {

namespace {

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(uint8_t(value >> (8 * i)));
    }
}

} // namespace

bool WriteBmpRGB(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() != size_t(width) * size_t(height) * 3) {
        std::fprintf(stderr, "assetgen: bad picture size for %s\n", path.c_str());
        return false;
    }
    const uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * uint32_t(height);
    std::vector<uint8_t> out{'B', 'M'};
    PutLE(out, 54 + pixelBytes, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4); // BITMAPINFOHEADER
    PutLE(out, uint32_t(width), 4);
    PutLE(out, uint32_t(height), 4); // positive height: rows stored bottom-up
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4); // uncompressed
    PutLE(out, pixelBytes, 4);
    PutLE(out, 2835, 4); // 72 dpi
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = rgb.data() + size_t(y) * size_t(width) * 3;
        for (int x = 0; x < width; ++x) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3]);
        }
        out.resize(out.size() + (rowBytes - uint32_t(width) * 3), 0);
    }
    return WriteBytes(path, out);
}

} // namespace assetgen
