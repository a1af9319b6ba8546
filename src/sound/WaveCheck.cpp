#include "sound/WaveCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Rates the mixer converts safely; real recordings lie well inside (8 kHz to 384 kHz).
constexpr uint32_t kLowestRate = 1000;
constexpr uint32_t kHighestRate = 1000000;
constexpr uint16_t kMostChannels = 8;

uint32_t Le32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Le16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

bool Read(FILE* file, long at, unsigned char* out, size_t count) {
    return std::fseek(file, at, SEEK_SET) == 0 && std::fread(out, 1, count, file) == count;
}

bool FormatIsUsable(const unsigned char* fmt) {
    uint16_t channels = Le16(fmt + 2);
    uint32_t rate = Le32(fmt + 4);
    return channels >= 1 && channels <= kMostChannels && rate >= kLowestRate && rate <= kHighestRate;
}

} // namespace

bool IsDamagedWave(const std::string& path) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    unsigned char header[12];
    if (!file || !Read(file.get(), 0, header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0) {
        return false;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return true;
    }
    const int64_t size = std::ftell(file.get());

    // The chunks follow each other without padding, as the mixer reads them.
    bool formatSeen = false;
    int64_t at = 12;
    unsigned char chunk[8];
    while (Read(file.get(), static_cast<long>(at), chunk, sizeof chunk)) {
        const int64_t length = Le32(chunk + 4);
        const int64_t body = at + 8;
        if (length > size - body) {
            return true;
        }
        if (std::memcmp(chunk, "data", 4) == 0) {
            return !formatSeen;
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char fmt[16];
            if (length < 16 || !Read(file.get(), static_cast<long>(body), fmt, sizeof fmt) ||
                !FormatIsUsable(fmt)) {
                return true;
            }
            formatSeen = true;
        }
        at = body + length;
    }
    // The file ended before a data chunk.
    return true;
}
