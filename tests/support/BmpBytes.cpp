#include "support/BmpBytes.h"

namespace korvel::test {

namespace {

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// Palette entry i of a file with 2^bits colours: for 1 bit black and white, otherwise a grey ramp.
BmpColour PaletteColour(int i, int bits) {
    const int colours = 1 << bits;
    const auto level = static_cast<uint8_t>(i * 255 / (colours - 1));
    return {level, level, level};
}

// The palette index whose grey is nearest the pattern colour's green.
int PaletteIndex(BmpColour c, int bits) {
    const int colours = 1 << bits;
    return (c.g * (colours - 1) + 127) / 255;
}

} // namespace

BmpColour BmpPatternColour(int x, int y) {
    return {static_cast<uint8_t>(x * 40 + 10), static_cast<uint8_t>(y * 60 + 20),
            static_cast<uint8_t>((x + y) * 25 + 5)};
}

std::vector<uint8_t> MakeBmp(const BmpShape& shape) {
    const int bits = shape.bitsPerPixel;
    const uint32_t paletteColours = bits <= 8 ? (1u << bits) : 0;
    const uint32_t rowBytes = ((static_cast<uint32_t>(shape.width) * bits + 31) / 32) * 4;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(shape.height);
    const uint32_t dataOffset = 14 + 40 + paletteColours * 4;

    std::vector<uint8_t> out{'B', 'M'};
    PutLE(out, dataOffset + pixelBytes, 4);
    PutLE(out, 0, 4);
    PutLE(out, dataOffset, 4);
    PutLE(out, 40, 4);
    PutLE(out, static_cast<uint32_t>(shape.width), 4);
    PutLE(out, static_cast<uint32_t>(shape.topDown ? -shape.height : shape.height), 4);
    PutLE(out, 1, 2);
    PutLE(out, static_cast<uint32_t>(bits), 2);
    PutLE(out, 0, 4); // uncompressed
    PutLE(out, pixelBytes, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, paletteColours, 4);
    PutLE(out, 0, 4);
    for (uint32_t i = 0; i < paletteColours; ++i) {
        BmpColour c = PaletteColour(static_cast<int>(i), bits);
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }

    for (int stored = 0; stored < shape.height; ++stored) {
        const int y = shape.topDown ? stored : shape.height - 1 - stored;
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < shape.width; ++x) {
            BmpColour c = BmpPatternColour(x, y);
            if (bits <= 8) {
                const int bit = x * bits;
                const int shift = 8 - bits - bit % 8;
                row[bit / 8] |= static_cast<uint8_t>(PaletteIndex(c, bits) << shift);
            } else if (bits == 16) {
                const auto v = static_cast<uint16_t>((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3));
                row[x * 2] = static_cast<uint8_t>(v);
                row[x * 2 + 1] = static_cast<uint8_t>(v >> 8);
            } else {
                const int bytes = bits / 8;
                row[x * bytes] = c.b;
                row[x * bytes + 1] = c.g;
                row[x * bytes + 2] = c.r;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace korvel::test
