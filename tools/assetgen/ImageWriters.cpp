#include "ImageWriters.h"

#include "Generator.h"

#include <cstdio>
#include <memory>
#include <png.h>

namespace assetgen {

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File OpenForWriting(const std::string& path) {
    if (!MakeParentDirs(path)) {
        std::fprintf(stderr, "cannot create the folder of %s\n", path.c_str());
        return nullptr;
    }
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    }
    return file;
}

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(uint8_t(value >> (8 * i)));
    }
}

} // namespace

bool WritePng(const std::string& path, const Bitmap& image) {
    if (image.channels != 4 || image.width <= 0 || image.height <= 0) {
        std::fprintf(stderr, "%s: only non-empty RGBA images are written as PNG\n", path.c_str());
        return false;
    }
    File file = OpenForWriting(path);
    if (!file) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        std::fprintf(stderr, "%s: libpng could not start\n", path.c_str());
        return false;
    }
    // libpng reports its errors by jumping back here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fprintf(stderr, "%s: libpng failed while writing\n", path.c_str());
        return false;
    }
    png_init_io(png, file.get());
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, image.At(0, y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WriteBmp(const std::string& path, const Bitmap& image) {
    if (image.channels != 3 || image.width <= 0 || image.height <= 0) {
        std::fprintf(stderr, "%s: only non-empty RGB images are written as BMP\n", path.c_str());
        return false;
    }
    const uint32_t rowBytes = (uint32_t(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * uint32_t(image.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLE(out, 54 + pixelBytes, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4); // BITMAPINFOHEADER
    PutLE(out, uint32_t(image.width), 4);
    PutLE(out, uint32_t(image.height), 4); // positive: rows stored bottom-up
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4); // no compression
    PutLE(out, pixelBytes, 4);
    PutLE(out, 2835, 4); // 72 dpi
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.At(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        out.resize(out.size() + (rowBytes - uint32_t(image.width) * 3), 0);
    }
    File file = OpenForWriting(path);
    if (!file) {
        return false;
    }
    if (std::fwrite(out.data(), 1, out.size(), file.get()) != out.size()) {
        std::fprintf(stderr, "%s: short write\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace assetgen
