#include "textures/PngCheck.h"

#include <SDL.h>
#include <SDL_image.h>
#include <climits>
#include <cstdint>
#include <cstring>

namespace {

const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// An IEND chunk: no data, and the CRC of its type.
const unsigned char kEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

enum class PngLayout {
    // Not a PNG file: SDL_image reports those itself.
    Unjudged,
    // Every chunk lies inside the file, up to the closing IEND chunk.
    Whole,
    // The file ends after its image data but before its IEND chunk is whole (writers that stop early,
    // copies cut in the last bytes). The image data may still be complete.
    EndMissing,
    // The file ends before any whole image-data chunk, or a chunk before them runs past its end.
    CutShort,
};

struct Walk {
    PngLayout layout = PngLayout::Unjudged;
    // Where the last whole chunk ends.
    size_t wholeEnd = 0;
};

// Each chunk: length (big-endian, at most 2^31 - 1), type, data, CRC. The CRCs and the chunk contents
// are libpng's to judge; only the layout is checked here.
Walk WalkChunks(const unsigned char* bytes, size_t size) {
    Walk walk;
    if (size < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0) {
        return walk;
    }
    walk.layout = PngLayout::CutShort;
    bool imageData = false;
    size_t at = sizeof kSignature;
    while (size - at >= 12) {
        const unsigned char* chunk = bytes + at;
        const uint64_t length = uint64_t{chunk[0]} << 24 | chunk[1] << 16 | chunk[2] << 8 | chunk[3];
        if (length > INT32_MAX || size - at - 12 < length) {
            break;
        }
        if (std::memcmp(chunk + 4, "IEND", 4) == 0) {
            walk.layout = PngLayout::Whole;
            return walk;
        }
        imageData = imageData || std::memcmp(chunk + 4, "IDAT", 4) == 0;
        at += 12 + static_cast<size_t>(length);
    }
    walk.wholeEnd = at;
    if (imageData) {
        walk.layout = PngLayout::EndMissing;
    }
    return walk;
}

// SDL's memory streams count in int.
SDL_Surface* Read(const unsigned char* bytes, size_t size, const std::string& type) {
    if (size > static_cast<size_t>(INT_MAX)) {
        SDL_SetError("image data too large");
        return nullptr;
    }
    // SDL 2's layer makes no stream of nothing; no format has an empty picture.
    if (size == 0) {
        SDL_SetError("Unsupported image format");
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    return stream ? IMG_LoadTyped_RW(stream, 1, const_cast<char*>(type.c_str())) : nullptr;
}

} // namespace

SDL_Surface* ReadImageMemory(const void* data, size_t size, const std::string& name) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    if (!bytes) {
        size = 0;
    }
    // TGA files carry no signature: SDL_image knows them only by the name's extension.
    const size_t dot = name.rfind('.');
    const std::string type = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    const Walk walk = WalkChunks(bytes, size);
    SDL_Surface* loaded = nullptr;
    switch (walk.layout) {
    case PngLayout::Unjudged:
    case PngLayout::Whole:
        return Read(bytes, size, type);
    case PngLayout::EndMissing: {
        std::vector<unsigned char> closed(bytes, bytes + walk.wholeEnd);
        closed.insert(closed.end(), kEnd, kEnd + sizeof kEnd);
        loaded = Read(closed.data(), closed.size(), type);
        break;
    }
    case PngLayout::CutShort:
        break;
    }
    if (!loaded) {
        SDL_SetError("PNG file cut short");
    }
    return loaded;
}
