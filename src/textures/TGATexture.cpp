#include "textures/TGATexture.h"

#include "base/GL.h"
#include "files/FileSystem.h"
#include "textures/TGAStream.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

const uint8_t kUncompressedHeader[11] = {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const uint8_t kCompressedHeader[11] = {0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Image descriptor bit 5: the first stored row is the top of the picture.
const uint8_t kTopDownOrigin = 0x20;

// Faulting in tens of megabytes of fresh 4 KiB pages costs more than decoding into them, so the
// 2 MiB-aligned inside of a large buffer is marked for huge pages before anything touches it.
void AdviseHugePages(uint8_t* data, size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const uintptr_t hugePage = uintptr_t{2} << 20;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(data) + hugePage - 1) & ~(hugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(hugePage - 1);
    if (size >= 4 * hugePage && end > start) {
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
#else
    (void)data;
    (void)size;
#endif
}

} // namespace

CTGATexture::CTGATexture()
    : texID(0), bpp(0), width(0), height(0), format(0), header{}, info{}, bytesPerPixel(0), imageSize(0) {}

CTGATexture::~CTGATexture() = default;

void CTGATexture::Report(const char* message, const char* path) {
    std::printf("%s%s\n", message, path ? path : "");
    std::fflush(stdout);
}

void CTGATexture::FreeImage() {
    image = DecodedImage();
}

bool CTGATexture::LoadTGA(const char* path) {
    if (!DecodeFile(path)) {
        return false;
    }
    // A TGA side may reach 65535 pixels, more than drivers take: such an upload would fail inside GL
    // and leave an empty texture behind a successful load.
    if (!CTexture::Fits(width, height, static_cast<int32_t>(bytesPerPixel))) {
        Report("Invalid texture information: ", path);
        FreeImage();
        return false;
    }
    Upload();
    return true;
}

bool CTGATexture::DecodeFile(const char* path) {
    FreeImage();
    std::vector<uint8_t> bytes;
    std::string why;
    if (!path || !CFileSystem::Read(path, bytes, why)) {
        Report("Could not open texture file: ", path);
        return false;
    }
    return DecodeMemory(bytes.data(), bytes.size(), path);
}

bool CTGATexture::DecodeMemory(const uint8_t* data, size_t size, const char* name) {
    FreeImage();
    CTGAStream stream(data, size);
    return Decode(stream, name);
}

bool CTGATexture::Decode(CTGAStream& stream, const char* path) {
    uint8_t idLength = 0;
    if (stream.Read(&idLength, 1) != 1) {
        Report("Failed to read TGAcomment!", nullptr);
        return false;
    }
    if (stream.Read(header, sizeof header) != sizeof header) {
        Report("Could not read file header: ", path);
        return false;
    }
    bool decoded = false;
    if (std::memcmp(header, kUncompressedHeader, sizeof header) == 0) {
        decoded = ReadInfo(stream, idLength, path) && LoadUncompressedTGA(stream, path);
    } else if (std::memcmp(header, kCompressedHeader, sizeof header) == 0) {
        decoded = ReadInfo(stream, idLength, path) && LoadCompressedTGA(stream, path);
    } else {
        Report("TGA file be type 2 or type 10, Invalid Image: ", path);
        return false;
    }
    if (decoded && (info[5] & kTopDownOrigin)) {
        image.FlipRows();
    }
    return decoded;
}

bool CTGATexture::ReadInfo(CTGAStream& stream, uint8_t idLength, const char* path) {
    if (stream.Read(info, sizeof info) != sizeof info) {
        Report("Could not read info header: ", path);
        return false;
    }
    width = info[1] * 256 + info[0];
    height = info[3] * 256 + info[2];
    bpp = info[4];
    // The byte size must fit the 32-bit imageSize: 65535 x 65535 x 4 bytes does not.
    uint64_t bytes = uint64_t{bpp / 8} * static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    if (width == 0 || height == 0 || (bpp != 24 && bpp != 32) || bytes > UINT32_MAX) {
        Report("Invalid texture information: ", path);
        return false;
    }
    format = bpp == 24 ? GL_RGB : GL_RGBA;
    bytesPerPixel = bpp / 8;
    imageSize = static_cast<uint32_t>(bytes);
    // A header can claim up to 4 GB of pixels in a few bytes. Only what the rest of the file can
    // encode is allocated: a raw pixel takes bytesPerPixel bytes, and a run-length packet of at most
    // 128 pixels at least 1 + bytesPerPixel. A file too short for its header runs dry in its decoder
    // with the usual message, before its last packet can reach the end of the smaller buffer.
    const size_t left = stream.Remaining();
    const uint64_t pixelBytes = left > idLength ? left - idLength : 0;
    const uint64_t reachable = header[1] == kCompressedHeader[1]
                                   ? (pixelBytes / (1 + bytesPerPixel) + 1) * 128 * bytesPerPixel
                                   : pixelBytes;
    const size_t capacity =
        static_cast<size_t>(std::min<uint64_t>(imageSize, std::max<uint64_t>(reachable, 1)));
    // The record is filled in place; its size becomes the image's once every pixel has arrived.
    try {
        image.pixels.reserve(capacity);
        AdviseHugePages(image.pixels.data(), capacity);
        image.pixels.resize(capacity);
    } catch (const std::bad_alloc&) {
        Report("Could not allocate memory for image: ", path);
        return false;
    }
    image.width = width;
    image.height = height;
    image.channels = static_cast<int32_t>(bytesPerPixel);
    // The image ID field sits between the header and the pixels; its contents are of no use here. A
    // file that ends inside it runs dry in the pixel data and is reported there.
    stream.Skip(idLength);
    return true;
}

void CTGATexture::Upload() {
    TextureOptions options;
    options.minFilter = GL_LINEAR;
    options.magFilter = GL_LINEAR;
    texture = CTexture::Upload(image, options);
    texID = texture.Name();
}
