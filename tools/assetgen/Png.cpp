#include "Png.h"

#include "Generator.h"
#include "graphics/PngWriter.h"

#include <cstdio>

namespace assetgen {

bool WritePngRGBA(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> png;
    if (!CPngWriter::EncodeRGBA(width, height, rgba, png)) {
        std::fprintf(stderr, "assetgen: libpng failed writing %s\n", path.c_str());
        return false;
    }
    return WriteBytes(path, png);
}

} // namespace assetgen
