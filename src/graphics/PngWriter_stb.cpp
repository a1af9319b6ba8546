// The browser build's PNG output: the same pictures through stb_image_write, as it has no libpng.
#include "graphics/PngWriter.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <cstdio>
#include <stb_image_write.h>

namespace {

void WriteToFile(void* context, void* data, int size) {
    std::FILE** file = static_cast<std::FILE**>(context);
    if (*file && std::fwrite(data, 1, static_cast<size_t>(size), *file) != static_cast<size_t>(size)) {
        std::fclose(*file);
        *file = nullptr;
    }
}

bool Fail(std::string* error, const std::string& why, const std::string& path) {
    if (error) {
        *error = why + " " + path;
    }
    return false;
}

} // namespace

bool CPngWriter::WriteRGBA(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba,
                           std::string* error) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
        return Fail(error, "bad picture size for", path);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return Fail(error, "cannot create", path);
    }
    bool written = stbi_write_png_to_func(WriteToFile, &file, width, height, 4, rgba.data(), width * 4) != 0;
    if (!file) {
        return Fail(error, "cannot write", path);
    }
    written = std::fclose(file) == 0 && written;
    return written ? true : Fail(error, "cannot write", path);
}
