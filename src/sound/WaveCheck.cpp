#include "sound/WaveCheck.h"

#include "files/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

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

// `count` bytes at `at`; false when the file ends before.
bool Read(const std::vector<uint8_t>& bytes, int64_t at, unsigned char* out, size_t count) {
    if (at < 0 || at > static_cast<int64_t>(bytes.size()) || count > bytes.size() - static_cast<size_t>(at)) {
        return false;
    }
    std::memcpy(out, bytes.data() + at, count);
    return true;
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
bool ReadFormat(const std::vector<uint8_t>& file, unsigned char* fmt) {
    unsigned char chunk[12];
    for (int64_t at = 12; Read(file, at, chunk, 8); at += 8 + static_cast<int64_t>(Le32(chunk + 4))) {
        if (std::memcmp(chunk, "data", 4) == 0 || Le32(chunk + 4) > 0x7FFFFFF0u) {
            return false;
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            return Le32(chunk + 4) >= 16 && Read(file, at + 8, fmt, 16);
        }
    }
    return false;
}

bool IsWave(const std::vector<uint8_t>& file) {
    unsigned char header[12];
    return Read(file, 0, header, sizeof header) && std::memcmp(header, "RIFF", 4) == 0 &&
           std::memcmp(header + 8, "WAVE", 4) == 0;
}

// Why the RIFF/WAVE file's chunks or format are unusable, or "" (also for a file that is no WAV file).
std::string WaveDamage(const std::vector<uint8_t>& file) {
    if (!IsWave(file)) {
        return "";
    }
    const int64_t size = static_cast<int64_t>(file.size());
    // The chunks follow each other without padding, as the mixer reads them.
    bool formatSeen = false;
    int64_t at = 12;
    unsigned char chunk[8];
    while (Read(file, at, chunk, sizeof chunk)) {
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
            if (length < 16 || !Read(file, body, fmt, sizeof fmt)) {
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

} // namespace

std::string ReadSoundFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::string why;
    if (!CFileSystem::Read(path, bytes, why)) {
        struct stat info;
        if (!why.empty()) {
            return why;
        }
        if (stat(path.c_str(), &info) != 0 || access(path.c_str(), R_OK) != 0) {
            return std::strerror(errno);
        }
        return S_ISDIR(info.st_mode) ? "this is a folder, not a file" : "the file cannot be read";
    }
    return bytes.empty() ? "file is empty" : WaveDamage(bytes);
}

std::string SoundFileProblem(const std::vector<uint8_t>& bytes, const std::string& mixerError) {
    unsigned char fmt[16];
    // The mixer's WAV readers take 8 and 16-bit integer samples in the plain format only. Their own
    // message for other sizes names a size the file does not have, and the extensible format (what
    // sox and many editors write for more than 16 bits) is only a number to them.
    if (IsWave(bytes) && ReadFormat(bytes, fmt)) {
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
