#include "textures/DecodedImage.h"

#include "files/FileSystem.h"
#include "textures/PngCheck.h"

#include <SDL.h>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

// Channel masks that lay the bytes out R, G, B(, A) in memory: 24 bits, then 32 bits.
struct Masks {
    Uint32 r, g, b, a;
};
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
const Masks kMasks[2] = {{0x0000FF, 0x00FF00, 0xFF0000, 0}, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}};
#else
const Masks kMasks[2] = {{0xFF0000, 0x00FF00, 0x0000FF, 0}, {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF}};
#endif

// A null file name is printed as an empty one: a null C string sent to a stream would switch the
// stream off for every later line of the log.
const char* NameOf(const char* file) {
    return file ? file : "";
}

// SDL's memory streams count in int; a larger buffer is refused rather than silently cut.
SDL_RWops* MemoryStream(const void* bytes, size_t size) {
    SDL_RWops* stream =
        size <= static_cast<size_t>(INT_MAX) ? SDL_RWFromConstMem(bytes, static_cast<int>(size)) : nullptr;
    if (!stream) {
        SDL_SetError("BMP data too large");
    }
    return stream;
}

bool InByteOrder(const SDL_PixelFormat* f, int channels) {
    const Masks& m = kMasks[channels == 4 ? 1 : 0];
    return f->BytesPerPixel == channels && f->Rmask == m.r && f->Gmask == m.g && f->Bmask == m.b &&
           f->Amask == m.a;
}

// Copies the rows of a surface laid out as `channels` bytes R, G, B(, A), bottom row first.
DecodedImage CopyRows(const SDL_Surface* surface, int channels) {
    DecodedImage image;
    image.width = surface->w;
    image.height = surface->h;
    image.channels = channels;
    const size_t row = static_cast<size_t>(surface->w) * static_cast<size_t>(channels);
    image.pixels.resize(row * static_cast<size_t>(surface->h));
    for (int y = 0; y < surface->h; ++y) {
        const uint8_t* source = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
        std::memcpy(&image.pixels[static_cast<size_t>(surface->h - 1 - y) * row], source, row);
    }
    return image;
}

// Why a surface SDL made from a BMP file cannot be converted; empty when it can. SDL keeps the file's
// 16-bit pixel depth in 8-bit fields: a depth such as 4096 comes back as a surface of 0 bytes per
// pixel without pixels, 0xFA18 as 24 bits of 67 bytes. A top-down file of height -2^31 comes back
// with that height negated into itself. And the row pitch is kept in 16 bits, so a longer row would
// be read past its end.
std::string UnusableSurface(const SDL_Surface* surface) {
    const SDL_PixelFormat* format = surface->format;
    if (!surface->pixels || format->BytesPerPixel < 1 || format->BytesPerPixel > 4 ||
        (format->BitsPerPixel + 7) / 8 != format->BytesPerPixel) {
        return "BMP pixel depth not supported";
    }
    if (surface->w <= 0 || surface->h <= 0) {
        char text[64];
        std::snprintf(text, sizeof text, "BMP file with bad dimensions (%dx%d)", surface->w, surface->h);
        return text;
    }
    if (surface->pitch < static_cast<int64_t>(surface->w) * format->BytesPerPixel) {
        return "BMP rows too long";
    }
    return std::string();
}

// Decodes the BMP stream (closed here, even when null); name is for messages.
DecodedImage ConvertBMP(SDL_RWops* stream, const char* name) {
    SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
    const std::string unusable = surface ? UnusableSurface(surface) : std::string();
    if (!unusable.empty()) {
        SDL_FreeSurface(surface);
        surface = nullptr;
        SDL_SetError("%s", unusable.c_str());
    }
    DecodedImage image;
    if (!surface) {
        std::cerr << " Failed loading " << name << " : " << SDL_GetError() << std::endl;
        return image;
    }
    const int w = surface->w;
    const int h = surface->h;
    const int d = surface->format->BytesPerPixel;
    image.width = w;
    image.height = h;
    image.channels = 3;
    image.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    SDL_LockSurface(surface);
    // Rows are addressed through the surface pitch: SDL pads BMP rows to four bytes. Each pixel goes
    // through the file's own format, palette and bit fields included.
    for (int row = 0; row < h; ++row) {
        const uint8_t* src = static_cast<const uint8_t*>(surface->pixels) +
                             static_cast<size_t>(h - 1 - row) * static_cast<size_t>(surface->pitch);
        for (int col = 0; col < w; ++col) {
            uint32_t value = 0;
            for (int k = 0; k < d; ++k) {
                value |= static_cast<uint32_t>(src[col * d + k]) << (8 * k);
            }
            uint8_t* to = &image.pixels[(static_cast<size_t>(row) * w + col) * 3];
            SDL_GetRGB(value, surface->format, &to[0], &to[1], &to[2]);
        }
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return image;
}

// A picture file's bytes, on disk or inside an archive; false, with SDL's error set, when it cannot be
// read.
bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    std::string why;
    if (CFileSystem::Read(path, bytes, why)) {
        return true;
    }
    SDL_SetError("%s", why.empty() ? ("Couldn't open " + path).c_str() : why.c_str());
    return false;
}

DecodedImage TakeSurface(SDL_Surface* surface, bool keyAsAlpha) {
    if (!surface) {
        return DecodedImage();
    }
    DecodedImage image = DecodedImage::FromSurface(surface, keyAsAlpha);
    SDL_FreeSurface(surface);
    if (image.Empty()) {
        SDL_SetError("cannot convert the picture");
    }
    return image;
}

} // namespace

DecodedImage DecodedImage::FromBMP(const char* path) {
    std::vector<uint8_t> bytes;
    if (!ReadBytes(NameOf(path), bytes)) {
        std::cerr << " Failed loading " << NameOf(path) << " : " << SDL_GetError() << std::endl;
        return DecodedImage();
    }
    return FromBMPMemory(bytes.data(), bytes.size(), path);
}

DecodedImage DecodedImage::FromBMPMemory(const void* bytes, size_t size, const char* name) {
    return ConvertBMP(MemoryStream(bytes, size), NameOf(name));
}

DecodedImage DecodedImage::FromFile(const std::string& path, bool keyAsAlpha) {
    std::vector<uint8_t> bytes;
    return ReadBytes(path, bytes) ? FromMemory(bytes.data(), bytes.size(), path.c_str(), keyAsAlpha)
                                  : DecodedImage();
}

DecodedImage DecodedImage::FromMemory(const void* bytes, size_t size, const char* name, bool keyAsAlpha) {
    return TakeSurface(ReadImageMemory(bytes, size, NameOf(name)), keyAsAlpha);
}

DecodedImage DecodedImage::FromSurface(SDL_Surface* surface, bool keyAsAlpha) {
    const bool alpha = surface->format->Amask != 0;
    const bool keyed = keyAsAlpha && (surface->flags & SDL_SRCCOLORKEY) != 0;
    if (!keyed && InByteOrder(surface->format, alpha ? 4 : 3)) {
        return CopyRows(surface, alpha ? 4 : 3);
    }
    const int channels = alpha || keyed ? 4 : 3;
    const Masks& masks = kMasks[channels == 4 ? 1 : 0];
    SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h, channels * 8, masks.r,
                                             masks.g, masks.b, masks.a);
    if (!copy) {
        return DecodedImage();
    }
    // The blit copies the alpha channel as it is rather than blending the picture onto the copy; keyed
    // pixels are either skipped (and stay transparent) or copied like any other.
    SDL_SetAlpha(surface, 0, SDL_ALPHA_OPAQUE);
    if (!keyed) {
        SDL_SetColorKey(surface, 0, 0);
    }
    DecodedImage image;
    if (SDL_BlitSurface(surface, nullptr, copy, nullptr) == 0) {
        image = CopyRows(copy, channels);
    }
    // The keyed pixels, skipped and left clear, keep the colour the file gives them, as the clear
    // pixels of an alpha channel do: filtering then blends the colours the decoder without SDL gives.
    if (keyed && !image.Empty()) {
        SDL_SetColorKey(surface, 0, 0);
        if (SDL_BlitSurface(surface, nullptr, copy, nullptr) == 0) {
            const DecodedImage colours = CopyRows(copy, channels);
            for (size_t i = 3; i < image.pixels.size(); i += 4) {
                if (image.pixels[i] == 0) {
                    std::copy_n(&colours.pixels[i - 3], 3, &image.pixels[i - 3]);
                }
            }
        }
    }
    SDL_FreeSurface(copy);
    return image;
}

DecodedImage DecodedImage::Load(const char* path, ImageReader reader, bool keyAsAlpha) {
    const std::string name = NameOf(path);
    std::cout << "Loading Texture: " << name << std::endl;
    if (reader == ImageReader::ByExtension) {
        reader = CFileSystem::NameEndsWith(name, ".bmp") ? ImageReader::BMP : ImageReader::SDLImage;
    }
    DecodedImage image = reader == ImageReader::BMP ? FromBMP(name.c_str()) : FromFile(name, keyAsAlpha);
    if (image.Empty()) {
        std::cout << "Failed to load the image: " << name << ", Error: " << SDL_GetError() << std::endl;
    }
    return image;
}
