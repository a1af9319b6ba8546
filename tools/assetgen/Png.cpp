#include "Png.h"

#include "Generator.h"
#include "graphics/PngWriter.h"

#include <cstdio>

namespace assetgen {

bool WritePngRGBA(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    if (!MakeParentDirs(path)) {
        std::fprintf(stderr, "assetgen: cannot create the folder of %s\n", path.c_str());
        return false;
    }
    std::string error;
    if (!CPngWriter::WriteRGBA(path, width, height, rgba, &error)) {
        std::fprintf(stderr, "assetgen: %s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace assetgen
