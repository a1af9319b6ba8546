#include "textures/PngCheck.h"

#include <SDL.h>
#include <SDL_image.h>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// An IEND chunk: no data, and the CRC of its type.
const unsigned char kEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

struct Walk {
    PngLayout layout = PngLayout::Unjudged;
    // Where the last whole chunk ends.
    int64_t wholeEnd = 0;
};

// Each chunk: length (big-endian, at most 2^31 - 1), type, data, CRC. The CRCs and the chunk contents
// are libpng's to judge; only the layout is checked here.
Walk WalkChunks(FILE* file) {
    Walk walk;
    unsigned char signature[sizeof kSignature];
    if (std::fread(signature, 1, sizeof signature, file) != sizeof signature ||
        std::memcmp(signature, kSignature, sizeof signature) != 0) {
        return walk;
    }
    walk.layout = PngLayout::CutShort;
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return walk;
    }
    const int64_t size = std::ftell(file);
    bool imageData = false;
    int64_t at = sizeof kSignature;
    unsigned char chunk[8];
    while (at + 12 <= size) {
        if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0 ||
            std::fread(chunk, 1, sizeof chunk, file) != sizeof chunk) {
            return walk;
        }
        const int64_t length =
            static_cast<int64_t>(chunk[0]) << 24 | chunk[1] << 16 | chunk[2] << 8 | chunk[3];
        if (length > INT32_MAX || at + 12 + length > size) {
            break;
        }
        if (std::memcmp(chunk + 4, "IEND", 4) == 0) {
            walk.layout = PngLayout::Whole;
            return walk;
        }
        imageData = imageData || std::memcmp(chunk + 4, "IDAT", 4) == 0;
        at += 12 + length;
    }
    walk.wholeEnd = at;
    if (imageData) {
        walk.layout = PngLayout::EndMissing;
    }
    return walk;
}

} // namespace

PngLayout CheckPngLayout(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    return file ? WalkChunks(file.get()).layout : PngLayout::Unjudged;
}

std::vector<unsigned char> ClosedPng(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return {};
    }
    const Walk walk = WalkChunks(file.get());
    if (walk.layout != PngLayout::EndMissing) {
        return {};
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(walk.wholeEnd) + sizeof kEnd);
    if (std::fseek(file.get(), 0, SEEK_SET) != 0 ||
        std::fread(bytes.data(), 1, static_cast<size_t>(walk.wholeEnd), file.get()) !=
            static_cast<size_t>(walk.wholeEnd)) {
        return {};
    }
    std::memcpy(bytes.data() + walk.wholeEnd, kEnd, sizeof kEnd);
    return bytes;
}

SDL_Surface* ReadImageFile(const std::string& path) {
    SDL_Surface* loaded = nullptr;
    switch (CheckPngLayout(path)) {
    case PngLayout::Unjudged:
    case PngLayout::Whole:
        return IMG_Load(path.c_str());
    case PngLayout::EndMissing: {
        std::vector<unsigned char> closed = ClosedPng(path);
        // SDL's memory streams count in int.
        if (!closed.empty() && closed.size() <= static_cast<size_t>(INT_MAX)) {
            loaded = IMG_Load_RW(SDL_RWFromConstMem(closed.data(), static_cast<int>(closed.size())), 1);
        }
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
