#include "sound/WaveCheck.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

// Rates the mixer converts safely; real recordings lie well inside (8 kHz to 384 kHz).
constexpr uint32_t kLowestRate = 1000;
constexpr uint32_t kHighestRate = 1000000;
constexpr uint16_t kMostChannels = 8;
// The format tag of WAVE_FORMAT_EXTENSIBLE.
constexpr uint16_t kExtensibleFormat = 0xFFFE;

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

// Why the format is unusable, or "".
std::string FormatProblem(const unsigned char* fmt) {
    uint16_t channels = Le16(fmt + 2);
    uint32_t rate = Le32(fmt + 4);
    if (channels < 1 || channels > kMostChannels) {
        return std::to_string(channels) + " channels are not supported";
    }
    if (rate < kLowestRate || rate > kHighestRate) {
        return "a rate of " + std::to_string(rate) + " Hz is not supported";
    }
    return "";
}

// The format chunk's 16 bytes of a RIFF/WAVE file; false when it has none before its samples.
bool ReadFormat(FILE* file, unsigned char* fmt) {
    unsigned char chunk[12];
    for (long at = 12; Read(file, at, chunk, 8); at += 8 + static_cast<long>(Le32(chunk + 4))) {
        if (std::memcmp(chunk, "data", 4) == 0 || Le32(chunk + 4) > 0x7FFFFFF0u) {
            return false;
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            return Le32(chunk + 4) >= 16 && Read(file, at + 8, fmt, 16);
        }
    }
    return false;
}

bool IsWave(FILE* file) {
    unsigned char header[12];
    return Read(file, 0, header, sizeof header) && std::memcmp(header, "RIFF", 4) == 0 &&
           std::memcmp(header + 8, "WAVE", 4) == 0;
}

} // namespace

std::string WaveDamage(const std::string& path) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file || !IsWave(file.get())) {
        return "";
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return "the file cannot be read";
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
            return "a chunk runs past the end of the file";
        }
        if (std::memcmp(chunk, "data", 4) == 0) {
            return formatSeen ? "" : "the samples come before their format";
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char fmt[16];
            if (length < 16 || !Read(file.get(), static_cast<long>(body), fmt, sizeof fmt)) {
                return "the format chunk is too short";
            }
            const std::string problem = FormatProblem(fmt);
            if (!problem.empty()) {
                return problem;
            }
            formatSeen = true;
        }
        at = body + length;
    }
    return "the file ends before its samples";
}

std::string SoundFileProblem(const std::string& path, const std::string& mixerError) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        return std::strerror(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return "this is a folder, not a file";
    }
    if (info.st_size == 0) {
        return "file is empty";
    }
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::strerror(errno);
    }
    unsigned char fmt[16];
    // The mixer's WAV readers take 8 and 16-bit integer samples in the plain format only. Their own
    // message for other sizes names a size the file does not have, and the extensible format (what
    // sox and many editors write for more than 16 bits) is only a number to them.
    if (IsWave(file.get()) && ReadFormat(file.get(), fmt)) {
        const std::string bits = std::to_string(Le16(fmt + 14)) + "-bit samples";
        if (Le16(fmt) == kExtensibleFormat) {
            return bits + " in the extensible WAV format are not supported; save 8 or 16-bit PCM";
        }
        if (Le16(fmt) == 1 && Le16(fmt + 14) != 8 && Le16(fmt + 14) != 16) {
            return bits + " are not supported";
        }
    }
    return mixerError.empty() ? "not a sound file" : mixerError;
}
