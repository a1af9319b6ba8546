#include "textures/PngCheck.h"

#include <SDL.h>
#include <SDL_image.h>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
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

// Reads n bytes at an offset; false when they are not all there.
using ReadAt = std::function<bool(int64_t at, unsigned char* to, size_t n)>;

// Each chunk: length (big-endian, at most 2^31 - 1), type, data, CRC. The CRCs and the chunk contents
// are libpng's to judge; only the layout is checked here.
Walk WalkChunks(int64_t size, const ReadAt& read) {
    Walk walk;
    unsigned char signature[sizeof kSignature];
    if (!read(0, signature, sizeof signature) || std::memcmp(signature, kSignature, sizeof signature) != 0) {
        return walk;
    }
    walk.layout = PngLayout::CutShort;
    bool imageData = false;
    int64_t at = sizeof kSignature;
    unsigned char chunk[8];
    while (at + 12 <= size) {
        if (!read(at, chunk, sizeof chunk)) {
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

Walk WalkFile(FILE* file) {
    const int64_t size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    return WalkChunks(size, [file](int64_t at, unsigned char* to, size_t n) {
        return std::fseek(file, static_cast<long>(at), SEEK_SET) == 0 && std::fread(to, 1, n, file) == n;
    });
}

Walk WalkMemory(const unsigned char* bytes, size_t size) {
    return WalkChunks(static_cast<int64_t>(size), [bytes, size](int64_t at, unsigned char* to, size_t n) {
        if (at < 0 || static_cast<size_t>(at) > size || size - static_cast<size_t>(at) < n) {
            return false;
        }
        std::memcpy(to, bytes + at, n);
        return true;
    });
}

// The whole chunks before wholeEnd followed by a closing IEND chunk.
std::vector<unsigned char> Closed(const unsigned char* bytes, int64_t wholeEnd) {
    std::vector<unsigned char> closed(bytes, bytes + wholeEnd);
    closed.insert(closed.end(), kEnd, kEnd + sizeof kEnd);
    return closed;
}

// SDL's memory streams count in int.
SDL_RWops* MemoryStream(const void* bytes, size_t size) {
    return size <= static_cast<size_t>(INT_MAX) ? SDL_RWFromConstMem(bytes, static_cast<int>(size)) : nullptr;
}

SDL_Surface* ReadClosed(const std::vector<unsigned char>& closed) {
    SDL_RWops* stream = closed.empty() ? nullptr : MemoryStream(closed.data(), closed.size());
    return stream ? IMG_Load_RW(stream, 1) : nullptr;
}

SDL_Surface* CutShort() {
    SDL_SetError("PNG file cut short");
    return nullptr;
}

} // namespace

PngLayout CheckPngLayout(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    return file ? WalkFile(file.get()).layout : PngLayout::Unjudged;
}

std::vector<unsigned char> ClosedPng(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    const Walk walk = file ? WalkFile(file.get()) : Walk();
    if (walk.layout != PngLayout::EndMissing) {
        return {};
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(walk.wholeEnd));
    if (std::fseek(file.get(), 0, SEEK_SET) != 0 ||
        std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return {};
    }
    return Closed(bytes.data(), walk.wholeEnd);
}

SDL_Surface* ReadImageFile(const std::string& path) {
    switch (CheckPngLayout(path)) {
    case PngLayout::Unjudged:
    case PngLayout::Whole:
        return IMG_Load(path.c_str());
    case PngLayout::EndMissing:
        if (SDL_Surface* loaded = ReadClosed(ClosedPng(path))) {
            return loaded;
        }
        break;
    case PngLayout::CutShort:
        break;
    }
    return CutShort();
}

SDL_Surface* ReadImageMemory(const void* data, size_t size, const std::string& name) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    const Walk walk = WalkMemory(bytes, bytes ? size : 0);
    switch (walk.layout) {
    case PngLayout::Unjudged:
    case PngLayout::Whole: {
        SDL_RWops* stream = MemoryStream(bytes, size);
        if (!stream) {
            SDL_SetError("image data too large");
            return nullptr;
        }
        // TGA files carry no signature: SDL_image knows them only by the name's extension.
        const size_t dot = name.rfind('.');
        const std::string type = dot == std::string::npos ? std::string() : name.substr(dot + 1);
        return IMG_LoadTyped_RW(stream, 1, const_cast<char*>(type.c_str()));
    }
    case PngLayout::EndMissing:
        if (SDL_Surface* loaded = ReadClosed(Closed(bytes, walk.wholeEnd))) {
            return loaded;
        }
        break;
    case PngLayout::CutShort:
        break;
    }
    return CutShort();
}
