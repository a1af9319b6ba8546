// Model skins in every format SDL_image reads, uploaded in the BMP textures' layout so that an MD2
// model's texture coordinates (measured from the bottom row) fit either kind.
#include "base/GL.h"
#include "graphics/Utils.h"
#include "textures/PngCheck.h"

#include <SDL.h>
#include <cstring>
#include <iostream>
#include <vector>

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

// A copy of the picture as R, G, B (and A, for a picture with an alpha channel) bytes, bottom row
// first; empty when the copy cannot be made. Palette, grey, 16-bit and BGR pictures all come out the
// same.
std::vector<uint8_t> BottomUpPixels(SDL_Surface* picture, int channels) {
    std::vector<uint8_t> rgb;
    const Masks& masks = kMasks[channels == 4 ? 1 : 0];
    SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, picture->w, picture->h, channels * 8, masks.r,
                                             masks.g, masks.b, masks.a);
    if (!copy) {
        return rgb;
    }
    // The blit copies the alpha channel as it is rather than blending the picture onto the copy.
    SDL_SetAlpha(picture, 0, SDL_ALPHA_OPAQUE);
    SDL_SetColorKey(picture, 0, 0);
    if (SDL_BlitSurface(picture, nullptr, copy, nullptr) == 0) {
        const size_t row = static_cast<size_t>(picture->w) * static_cast<size_t>(channels);
        rgb.resize(row * static_cast<size_t>(picture->h));
        for (int y = 0; y < picture->h; ++y) {
            const uint8_t* source = static_cast<const uint8_t*>(copy->pixels) + y * copy->pitch;
            std::memcpy(&rgb[static_cast<size_t>(picture->h - 1 - y) * row], source, row);
        }
    }
    SDL_FreeSurface(copy);
    return rgb;
}

} // namespace

unsigned int CUtils::LoadImageTexture(const char* file) {
    file = file ? file : "";
    std::cout << "Loading Texture: " << file << std::endl;
    SDL_Surface* picture = ReadImageFile(file);
    std::vector<uint8_t> rgb;
    // Cut-out skins (leaves, fences, hair) keep their alpha; every other picture is uploaded as RGB.
    const int channels = picture && picture->format->Amask != 0 ? 4 : 3;
    if (picture) {
        rgb = BottomUpPixels(picture, channels);
    }
    if (rgb.empty()) {
        std::cout << "Failed to load the image: " << file << ", Error: " << SDL_GetError() << std::endl;
        if (picture) {
            SDL_FreeSurface(picture);
        }
        return 0;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    gluBuild2DMipmaps(GL_TEXTURE_2D, channels, picture->w, picture->h, channels == 4 ? GL_RGBA : GL_RGB,
                      GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    SDL_FreeSurface(picture);
    return texture;
}
