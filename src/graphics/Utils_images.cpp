// Model skins in every format SDL_image reads, uploaded in the BMP textures' layout so that an MD2
// model's texture coordinates (measured from the bottom row) fit either kind.
#include "graphics/GL.h"
#include "graphics/Utils.h"
#include "textures/PngCheck.h"

#include <SDL.h>
#include <cstring>
#include <iostream>
#include <vector>

namespace {

#if SDL_BYTEORDER == SDL_LIL_ENDIAN
const Uint32 RedMask24 = 0x0000FF, BlueMask24 = 0xFF0000;
#else
const Uint32 RedMask24 = 0xFF0000, BlueMask24 = 0x0000FF;
#endif

// A copy of the picture as R, G, B bytes, bottom row first; empty when the copy cannot be made.
// Palette, grey, 16-bit and BGR pictures all come out the same; alpha is dropped (skins are opaque).
std::vector<uint8_t> BottomUpRGB(SDL_Surface* picture) {
    std::vector<uint8_t> rgb;
    SDL_Surface* copy =
        SDL_CreateRGBSurface(SDL_SWSURFACE, picture->w, picture->h, 24, RedMask24, 0x00FF00, BlueMask24, 0);
    if (!copy) {
        return rgb;
    }
    SDL_SetAlpha(picture, 0, SDL_ALPHA_OPAQUE);
    SDL_SetColorKey(picture, 0, 0);
    if (SDL_BlitSurface(picture, nullptr, copy, nullptr) == 0) {
        const size_t row = static_cast<size_t>(picture->w) * 3;
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
    if (picture) {
        rgb = BottomUpRGB(picture);
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
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, picture->w, picture->h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    SDL_FreeSurface(picture);
    return texture;
}
