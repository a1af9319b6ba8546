#include "support/FuzzTargets.h"

#include "graphics/Utils.h"

namespace korvel::fuzz {

namespace {

// Reads every byte a loader handed back, so a buffer shorter than its stated size shows up under
// AddressSanitizer, and keeps the compiler from dropping the reads.
unsigned Touch(const unsigned char* bytes, size_t count) {
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i) {
        sum += bytes[i];
    }
    return sum;
}

volatile unsigned sink;

} // namespace

bool FeedBMP(const uint8_t* data, size_t size) {
    CUtils utils;
    BMPImage* image = utils.LoadBMPFromMemory(data, size, "fuzz.bmp");
    if (!image) {
        return false;
    }
    sink = Touch(image->pixels, static_cast<size_t>(image->width) * image->height * image->channels);
    CUtils::FreeBMP(image);
    return true;
}

const std::vector<Target>& Targets() {
    static const std::vector<Target> targets{
        {"bmp", FeedBMP, BMPSeeds},
    };
    return targets;
}

const Target* FindTarget(const std::string& name) {
    for (const Target& target : Targets()) {
        if (name == target.name) {
            return &target;
        }
    }
    return nullptr;
}

} // namespace korvel::fuzz
