#include "support/AudioCapture.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace korvel::test {

std::vector<int16_t> ReadCaptureChannel(const std::string& path, int channels) {
    std::vector<uint8_t> bytes = ReadFile(path);
    const size_t frameBytes = 2 * static_cast<size_t>(channels);
    std::vector<int16_t> samples;
    samples.reserve(bytes.size() / frameBytes);
    for (size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
        samples.push_back(static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8)));
    }
    return samples;
}

std::vector<int16_t> ReadCapture(const std::string& path, int channels, int rate, double toneHz) {
    std::vector<int16_t> samples = ReadCaptureChannel(path, channels);
    const std::vector<Burst> bursts = FindBursts(samples, 64, 2000);
    if (bursts.empty()) {
        return samples;
    }
    int deviceRate = rate;
    double best = -1.0;
    for (int candidate : {rate, 44100, 48000}) {
        // The first 50 ms, before anything that starts with the tone may have stopped.
        const Burst start{bursts[0].begin,
                          std::min(bursts[0].end, bursts[0].begin + static_cast<size_t>(candidate / 20))};
        const double score = ToneAmplitude(samples, start, candidate, toneHz) -
                             ToneAmplitude(samples, start, candidate, toneHz / 2);
        if (score > best) {
            best = score;
            deviceRate = candidate;
        }
    }
    if (deviceRate == rate) {
        return samples;
    }
    std::vector<int16_t> resampled;
    const double step = static_cast<double>(deviceRate) / rate;
    for (size_t n = 0;; ++n) {
        const double at = static_cast<double>(n) * step;
        const size_t i = static_cast<size_t>(at);
        if (i + 1 >= samples.size()) {
            break;
        }
        const double f = at - static_cast<double>(i);
        resampled.push_back(static_cast<int16_t>(std::lround(samples[i] * (1.0 - f) + samples[i + 1] * f)));
    }
    return resampled;
}

std::vector<Burst> FindBursts(const std::vector<int16_t>& samples, int threshold, size_t minGap) {
    std::vector<Burst> bursts;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) <= threshold) {
            continue;
        }
        if (!bursts.empty() && i - bursts.back().end < minGap) {
            bursts.back().end = i + 1;
        } else {
            bursts.push_back({i, i + 1});
        }
    }
    return bursts;
}

double ToneAmplitude(const std::vector<int16_t>& samples, const Burst& burst, int rate, double frequency) {
    const double coefficient = 2.0 * std::cos(2.0 * M_PI * frequency / rate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (size_t i = burst.begin; i < burst.end && i < samples.size(); ++i) {
        double current = samples[i] / 32768.0 + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    double power =
        previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
    return burst.Length() ? 2.0 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(burst.Length()) : 0.0;
}

} // namespace korvel::test
