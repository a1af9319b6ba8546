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
