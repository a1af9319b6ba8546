#include "BmpWriter.h"

#include "BmpFile.h"
#include "Generator.h"

#include <cstdio>

namespace assetgen {

bool WriteBmpRGB(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() != size_t(width) * size_t(height) * 3) {
        std::fprintf(stderr, "assetgen: bad picture size for %s\n", path.c_str());
        return false;
    }
    const auto colourAt = [&](int x, int y) {
        const uint8_t* pixel = rgb.data() + (size_t(y) * size_t(width) + size_t(x)) * 3;
        return korvel::files::BmpColour{pixel[0], pixel[1], pixel[2]};
    };
    return WriteBytes(path, korvel::files::BmpBytes({width, height, 24, false}, colourAt));
}

} // namespace assetgen
