// Seed corpora: small valid files of each kind and the malformed variants the loaders must refuse.
#include "support/BmpBytes.h"
#include "support/FuzzTargets.h"

namespace korvel::fuzz {

namespace {

using Bytes = std::vector<uint8_t>;

// A copy with the little-endian number of `count` bytes at offset replaced.
Bytes Patched(Bytes bytes, size_t offset, uint32_t value, int count = 4) {
    for (int i = 0; i < count; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
    return bytes;
}

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes Padded(Bytes bytes, size_t extra, uint8_t fill) {
    bytes.resize(bytes.size() + extra, fill);
    return bytes;
}

} // namespace

std::vector<Seed> BMPSeeds() {
    using test::MakeBmp;
    const Bytes base = MakeBmp({4, 3, 24, false});
    const Bytes pal = MakeBmp({3, 3, 8, false});
    const Bytes rgb16 = MakeBmp({7, 4, 16, false});
    // BMP header offsets: 10 pixel data, 18 width, 22 height, 28 depth (16 bits).
    return {
        {"rgb24-4x3", base, true},
        {"rgb24-3x3-padded", MakeBmp({3, 3, 24, false}), true},
        {"rgb24-3x2-topdown", MakeBmp({3, 2, 24, true}), true},
        {"rgb32-2x2", MakeBmp({2, 2, 32, false}), true},
        {"rgb16-7x4", rgb16, true},
        {"pal8-3x3", pal, true},
        {"pal4-5x2", MakeBmp({5, 2, 4, false}), true},
        {"pal1-9x2", MakeBmp({9, 2, 1, false}), true},
        {"rgb24-1x1", MakeBmp({1, 1, 24, false}), true},
        {"empty", {}, false},
        {"cut-in-file-header", Cut(base, 10), false},
        {"cut-in-info-header", Cut(base, 30), false},
        {"cut-in-palette", Cut(pal, 14 + 40 + 100), false},
        {"cut-in-pixels", Cut(base, base.size() - 5), false},
        {"rgb16-cut-in-pixels", Cut(rgb16, rgb16.size() - 3), false},
        {"bad-magic", Patched(base, 0, 'X', 1), false},
        {"depth-7", Patched(base, 28, 7, 2), false},
        // SDL keeps the depth's low byte: 4096 bits per pixel is read as 0, 0xFA18 as 24 bits of 67 bytes.
        {"depth-4096", Patched(rgb16, 28, 0x1000, 2), false},
        {"depth-0xFA18", Patched(Padded(MakeBmp({1, 1, 24, false}), 64, 0x30), 28, 0xFA18, 2), false},
        {"zero-width", Patched(base, 18, 0), false},
        {"negative-width", Patched(base, 18, static_cast<uint32_t>(-4)), false},
        {"huge-dimensions", Patched(Patched(base, 18, 30000), 22, 30000), false},
        {"row-over-64k", Patched(Patched(base, 18, 70000), 22, 1), false},
        {"rgb16-claims-1792x65024", Patched(Patched(rgb16, 18, 1792), 22, 65024), false},
        {"pixels-offset-past-end", Patched(base, 10, 100000), false},
    };
}

} // namespace korvel::fuzz
