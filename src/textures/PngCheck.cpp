#include "textures/PngCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

} // namespace

bool IsDamagedPng(const std::string& path) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    unsigned char signature[sizeof kSignature];
    if (!file || std::fread(signature, 1, sizeof signature, file.get()) != sizeof signature ||
        std::memcmp(signature, kSignature, sizeof signature) != 0) {
        return false;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return true;
    }
    const int64_t size = std::ftell(file.get());

    // Each chunk: length (big-endian, at most 2^31 - 1), type, data, CRC. The CRCs and the chunk
    // contents are libpng's to judge; only the layout is checked here.
    int64_t at = sizeof kSignature;
    unsigned char chunk[8];
    while (at + 12 <= size) {
        if (std::fseek(file.get(), static_cast<long>(at), SEEK_SET) != 0 ||
            std::fread(chunk, 1, sizeof chunk, file.get()) != sizeof chunk) {
            return true;
        }
        const int64_t length =
            static_cast<int64_t>(chunk[0]) << 24 | chunk[1] << 16 | chunk[2] << 8 | chunk[3];
        if (length > INT32_MAX || at + 12 + length > size) {
            return true;
        }
        if (std::memcmp(chunk + 4, "IEND", 4) == 0) {
            return false;
        }
        at += 12 + length;
    }
    return true;
}
