// Pictures decoded with no SDL, for the asset core: PNG, TGA, BMP, JPEG and the rest through
// stb_image, PCX (the skins of Quake-era models, which stb_image does not read) here.
#include "textures/DecodedImage.h"

#include "files/FileSystem.h"

#include <algorithm>
#include <climits>
#include <cstring>
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

namespace {

uint16_t Word(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

// Whether a PNG file marks a transparent colour (a tRNS chunk before its image data): stb_image
// counts such a picture's channels without it and keeps the colour only when asked for alpha.
bool PngHasTransparentColour(const uint8_t* bytes, size_t size) {
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 8 || !std::equal(signature, signature + 8, bytes)) {
        return false;
    }
    // Each chunk: length (big-endian), type, data, CRC.
    for (size_t at = 8; size - at >= 12 && std::memcmp(bytes + at + 4, "IDAT", 4) != 0;) {
        if (std::memcmp(bytes + at + 4, "tRNS", 4) == 0) {
            return true;
        }
        const uint64_t length =
            uint64_t{bytes[at]} << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
        if (length > size - at - 12) {
            break;
        }
        at += 12 + static_cast<size_t>(length);
    }
    return false;
}

// ZSoft PCX with 8 bits a pixel: one plane and the 256-colour palette at the end, or three planes
// R, G, B. Run-length coded rows, top row first; a run may carry on into the next row.
DecodedImage DecodePcx(const uint8_t* bytes, size_t size, std::string& why) {
    DecodedImage image;
    const int planes = size > 128 ? bytes[65] : 0;
    if (size <= 128 || bytes[2] != 1 || bytes[3] != 8 || (planes != 1 && planes != 3)) {
        why = "PCX format not supported";
        return image;
    }
    const int width = Word(bytes + 8) - Word(bytes + 4) + 1;
    const int height = Word(bytes + 10) - Word(bytes + 6) + 1;
    const size_t line = Word(bytes + 66);
    if (width <= 0 || height <= 0 || line < static_cast<size_t>(width)) {
        why = "PCX file with bad dimensions";
        return image;
    }
    const uint8_t* palette = bytes + size - 768;
    if (planes == 1 && (size < 128 + 769 || palette[-1] != 12)) {
        why = "PCX file without its palette";
        return image;
    }
    std::vector<uint8_t> rows(line * planes * static_cast<size_t>(height));
    const size_t end = planes == 1 ? size - 769 : size;
    size_t at = 128;
    for (size_t out = 0; out < rows.size();) {
        if (at >= end) {
            why = "PCX file cut short";
            return image;
        }
        size_t count = 1;
        uint8_t value = bytes[at++];
        if ((value & 0xC0) == 0xC0 && at < end) {
            count = value & 0x3F;
            value = bytes[at++];
        }
        count = std::min(count, rows.size() - out);
        std::fill_n(&rows[out], count, value);
        out += count;
    }
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &rows[static_cast<size_t>(y) * line * planes];
        uint8_t* to = &image.pixels[static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) * 3];
        for (int x = 0; x < width; ++x, to += 3) {
            for (int c = 0; c < 3; ++c) {
                to[c] = planes == 1 ? palette[row[x] * 3 + c] : row[c * line + x];
            }
        }
    }
    return image;
}

} // namespace

void DecodedImage::FlipRows() {
    const size_t row = static_cast<size_t>(width) * static_cast<size_t>(channels);
    if (row == 0 || height < 2) {
        return;
    }
    for (uint8_t *top = pixels.data(), *bottom = top + row * (height - 1); top < bottom;
         top += row, bottom -= row) {
        std::swap_ranges(top, top + row, bottom);
    }
}

DecodedImage DecodedImage::Decode(const std::vector<uint8_t>& bytes, const std::string& name,
                                  std::string& why) {
    why.clear();
    if (!bytes.empty() && bytes[0] == 0x0A && CFileSystem::NameEndsWith(name, ".pcx")) {
        return DecodePcx(bytes.data(), bytes.size(), why);
    }
    DecodedImage image;
    int width = 0, height = 0, channels = 0;
    const int size = bytes.size() <= static_cast<size_t>(INT_MAX) ? static_cast<int>(bytes.size()) : 0;
    if (size == 0 || !stbi_info_from_memory(bytes.data(), size, &width, &height, &channels)) {
        why = size == 0 ? "Unsupported image format" : stbi_failure_reason();
        return image;
    }
    const bool alpha = channels == 2 || channels == 4 || PngHasTransparentColour(bytes.data(), bytes.size());
    const int wanted = alpha ? 4 : 3;
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), size, &width, &height, &channels, wanted);
    if (!pixels) {
        why = stbi_failure_reason();
        return image;
    }
    image.width = width;
    image.height = height;
    image.channels = wanted;
    image.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height) * wanted);
    stbi_image_free(pixels);
    image.FlipRows();
    return image;
}

DecodedImage DecodedImage::Read(const std::string& path, std::string& why) {
    std::vector<uint8_t> bytes;
    if (!CFileSystem::Read(path, bytes, why)) {
        if (why.empty()) {
            why = "Couldn't open " + path;
        }
        return DecodedImage();
    }
    return Decode(bytes, path, why);
}
