// Writes RIFF/WAVE files holding a sine tone, for sound tests and as seeds for the sound loaders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvel::test {

struct ToneShape {
    int rate = 22050;         // frames per second
    int channels = 1;         // every channel carries the same tone
    int bitsPerSample = 16;   // 8 (unsigned), 16 or 24 (signed, little-endian)
    double frequency = 441.0; // Hz
    double seconds = 0.2;
    double amplitude = 0.4; // of full scale, 0..1
};

// Frames a tone of this length holds.
int ToneFrames(const ToneShape& tone);
// The complete file: a 44-byte PCM header followed by the samples, the tone starting at phase 0.
std::vector<uint8_t> MakeToneWav(const ToneShape& tone);
void WriteToneWav(const std::string& path, const ToneShape& tone);

} // namespace korvel::test
