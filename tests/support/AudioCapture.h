// Reads what SDL's disk audio driver captured (raw signed 16-bit little-endian frames) and measures
// it: where sound is, and how strong a given frequency is there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvel::test {

// One stretch of sound: frames [begin, end) of the capture.
struct Burst {
    size_t begin;
    size_t end;
    size_t Length() const { return end - begin; }
};

// The first channel of an interleaved capture file; empty when the file is missing.
std::vector<int16_t> ReadCaptureChannel(const std::string& path, int channels);
// The same brought to `rate` frames per second. The disk driver writes at the device's own rate: SDL
// 1.2 runs the device at the rate the program asked for, SDL 2's SDL 1.2 layer at 44100 or 48000 Hz,
// resampling on the way. The device's rate is the one under which the first sound, which starts with
// a tone of `toneHz`, shows that tone and none an octave lower (as frames read at half their rate do).
std::vector<int16_t> ReadCapture(const std::string& path, int channels, int rate, double toneHz);
// Stretches where |sample| exceeds threshold, split wherever at least minGap quiet frames lie between.
std::vector<Burst> FindBursts(const std::vector<int16_t>& samples, int threshold, size_t minGap);
// Amplitude (of full scale) of the frequency within the burst, by a single-bin DFT (Goertzel).
double ToneAmplitude(const std::vector<int16_t>& samples, const Burst& burst, int rate, double frequency);

} // namespace korvel::test
