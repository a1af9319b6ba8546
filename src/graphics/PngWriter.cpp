#include "graphics/PngWriter.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <png.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

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
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return Fail(error, "cannot write", path);
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return Fail(error, "out of memory writing", path);
    }
    std::vector<png_const_bytep> rows(static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        rows[static_cast<size_t>(row)] =
            rgba.data() + static_cast<size_t>(row) * static_cast<size_t>(width) * 4;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Fail(error, "libpng failed writing", path);
    }
    png_init_io(png, file.get());
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    // Most of a small picture is still in the stream's buffer here: a full disk shows only on close.
    if (std::ferror(file.get()) || std::fclose(file.release()) != 0) {
        return Fail(error, "cannot write", path);
    }
    return true;
}
