#include "Png.h"

#include "Generator.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <png.h>

namespace assetgen {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

bool WritePngRGBA(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
        std::fprintf(stderr, "assetgen: bad picture size for %s\n", path.c_str());
        return false;
    }
    if (!MakeParentDirs(path)) {
        std::fprintf(stderr, "assetgen: cannot create the folder of %s\n", path.c_str());
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        std::fprintf(stderr, "assetgen: out of memory writing %s\n", path.c_str());
        return false;
    }
    std::vector<png_const_bytep> rows(static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        rows[static_cast<size_t>(row)] =
            rgba.data() + static_cast<size_t>(row) * static_cast<size_t>(width) * 4;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fprintf(stderr, "assetgen: libpng failed writing %s\n", path.c_str());
        return false;
    }
    png_init_io(png, file.get());
    // No time or text chunks: the bytes depend on the pixels alone.
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    // Most of a small picture is still in the stream's buffer here: a full disk shows only on close.
    const bool written = !std::ferror(file.get()) && std::fclose(file.release()) == 0;
    if (!written) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    }
    return written;
}

} // namespace assetgen
