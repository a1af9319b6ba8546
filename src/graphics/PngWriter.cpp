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

void AppendBytes(png_structp writer, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(writer));
    out->insert(out->end(), data, data + length);
}

} // namespace

bool CPngWriter::EncodeRGBA(int width, int height, const std::vector<uint8_t>& rgba,
                            std::vector<uint8_t>& png) {
    png.clear();
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
        return false;
    }
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = writer ? png_create_info_struct(writer) : nullptr;
    if (!info) {
        png_destroy_write_struct(&writer, nullptr);
        return false;
    }
    std::vector<png_const_bytep> rows(static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        rows[static_cast<size_t>(row)] =
            rgba.data() + static_cast<size_t>(row) * static_cast<size_t>(width) * 4;
    }
    if (setjmp(png_jmpbuf(writer))) {
        png_destroy_write_struct(&writer, &info);
        png.clear();
        return false;
    }
    png_set_write_fn(writer, &png, AppendBytes, nullptr);
    png_set_compression_level(writer, 9);
    png_set_IHDR(writer, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer, info);
    png_write_image(writer, const_cast<png_bytepp>(rows.data()));
    png_write_end(writer, info);
    png_destroy_write_struct(&writer, &info);
    return true;
}

bool CPngWriter::WriteRGBA(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba,
                           std::string* error) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
        return Fail(error, "bad picture size for", path);
    }
    std::vector<uint8_t> png;
    if (!EncodeRGBA(width, height, rgba, png)) {
        return Fail(error, "libpng failed writing", path);
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return Fail(error, "cannot write", path);
    }
    // A full disk shows only on close for a picture small enough to stay in the stream's buffer.
    if (std::fwrite(png.data(), 1, png.size(), file.get()) != png.size() ||
        std::fclose(file.release()) != 0) {
        return Fail(error, "cannot write", path);
    }
    return true;
}
