#include "support/WavWriter.h"

#include "support/TestSupport.h"

#include <cmath>

namespace korvel::test {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

int ToneFrames(const ToneShape& tone) {
    return static_cast<int>(std::lround(tone.rate * tone.seconds));
}

std::vector<uint8_t> MakeToneWav(const ToneShape& tone) {
    const uint32_t bytesPerSample = static_cast<uint32_t>(tone.bitsPerSample / 8);
    const uint32_t blockAlign = bytesPerSample * static_cast<uint32_t>(tone.channels);
    const uint32_t frames = static_cast<uint32_t>(ToneFrames(tone));
    const uint32_t dataSize = frames * blockAlign;

    std::vector<uint8_t> out;
    out.reserve(44 + dataSize);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, static_cast<uint32_t>(tone.channels));
    Put32(out, static_cast<uint32_t>(tone.rate));
    Put32(out, static_cast<uint32_t>(tone.rate) * blockAlign);
    Put16(out, blockAlign);
    Put16(out, static_cast<uint32_t>(tone.bitsPerSample));
    PutTag(out, "data");
    Put32(out, dataSize);

    const double step = 2.0 * M_PI * tone.frequency / tone.rate;
    for (uint32_t i = 0; i < frames; ++i) {
        double value = tone.amplitude * std::sin(step * i);
        for (int c = 0; c < tone.channels; ++c) {
            if (tone.bitsPerSample == 8) {
                out.push_back(static_cast<uint8_t>(std::lround(128.0 + 127.0 * value)));
            } else if (tone.bitsPerSample == 24) {
                const uint32_t sample = static_cast<uint32_t>(std::lround(8388607.0 * value));
                Put16(out, sample & 0xFFFF);
                out.push_back(static_cast<uint8_t>(sample >> 16));
            } else {
                Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(32767.0 * value))));
            }
        }
    }
    return out;
}

void WriteToneWav(const std::string& path, const ToneShape& tone) {
    WriteFile(path, MakeToneWav(tone));
}

} // namespace korvel::test
