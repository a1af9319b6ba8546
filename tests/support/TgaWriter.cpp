#include "support/TgaWriter.h"

#include <cstring>

namespace korvel::test {

namespace {

// One stored pixel: B,G,R(,A).
void AppendPixel(std::vector<uint8_t>& out, const uint8_t* rgba, int bytesPerPixel) {
    out.push_back(rgba[2]);
    out.push_back(rgba[1]);
    out.push_back(rgba[0]);
    if (bytesPerPixel == 4) {
        out.push_back(rgba[3]);
    }
}

// Greedy packets over the whole pixel sequence, so runs cross rows: repeats of two or more become
// run packets, the rest raw packets, at most 128 pixels each.
void AppendRunLength(std::vector<uint8_t>& out, const std::vector<const uint8_t*>& pixels,
                     int bytesPerPixel) {
    auto same = [&](size_t a, size_t b) { return std::memcmp(pixels[a], pixels[b], bytesPerPixel) == 0; };
    size_t i = 0;
    while (i < pixels.size()) {
        size_t run = 1;
        while (i + run < pixels.size() && run < 128 && same(i, i + run)) {
            ++run;
        }
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(127 + run));
            AppendPixel(out, pixels[i], bytesPerPixel);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < pixels.size() && raw < 128 &&
               !(i + raw + 1 < pixels.size() && same(i + raw, i + raw + 1))) {
            ++raw;
        }
        out.push_back(static_cast<uint8_t>(raw - 1));
        for (size_t k = 0; k < raw; ++k) {
            AppendPixel(out, pixels[i + k], bytesPerPixel);
        }
        i += raw;
    }
}

} // namespace

std::vector<uint8_t> TgaHeader(uint8_t type, int width, int height, int bitsPerPixel, uint8_t idLength,
                               uint8_t descriptor) {
    return {idLength,
            0,
            type,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            static_cast<uint8_t>(width & 0xFF),
            static_cast<uint8_t>(width >> 8),
            static_cast<uint8_t>(height & 0xFF),
            static_cast<uint8_t>(height >> 8),
            static_cast<uint8_t>(bitsPerPixel),
            descriptor};
}

std::vector<uint8_t> MakeTga(int width, int height, int bytesPerPixel, const std::vector<uint8_t>& pixels,
                             const TgaOptions& options) {
    uint8_t descriptor = static_cast<uint8_t>((bytesPerPixel == 4 ? 8 : 0) | (options.topDown ? 0x20 : 0));
    std::vector<uint8_t> out =
        TgaHeader(options.runLength ? 10 : 2, width, height, bytesPerPixel * 8, options.idLength, descriptor);
    for (int i = 0; i < options.idLength; ++i) {
        out.push_back(static_cast<uint8_t>('A' + i % 26));
    }
    std::vector<const uint8_t*> order;
    for (int row = 0; row < height; ++row) {
        int source = options.topDown ? height - 1 - row : row;
        for (int x = 0; x < width; ++x) {
            order.push_back(pixels.data() + (static_cast<size_t>(source) * width + x) * bytesPerPixel);
        }
    }
    if (options.runLength) {
        AppendRunLength(out, order, bytesPerPixel);
    } else {
        for (const uint8_t* pixel : order) {
            AppendPixel(out, pixel, bytesPerPixel);
        }
    }
    return out;
}

std::vector<uint8_t> TestPicture(int width, int height, int bytesPerPixel) {
    std::vector<uint8_t> pixels;
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            // The lower rows are one flat colour (runs across rows), the upper ones noisy.
            bool flat = y < height / 3 || (x > width / 2 && y % 4 == 1);
            uint8_t value[4] = {static_cast<uint8_t>(flat ? 200 : noise >> 24),
                                static_cast<uint8_t>(flat ? 100 : x * 7 + y),
                                static_cast<uint8_t>(flat ? 50 : (noise >> 16) & 0xFF),
                                static_cast<uint8_t>(flat ? 255 : (noise >> 8) & 0xFF)};
            pixels.insert(pixels.end(), value, value + bytesPerPixel);
        }
    }
    return pixels;
}

} // namespace korvel::test
