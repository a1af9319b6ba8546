#include "SkinImage.h"

#include "graphics/PngWriter.h"
#include "textures/PngCheck.h"

#include <SDL.h>

namespace {

#if SDL_BYTEORDER == SDL_LIL_ENDIAN
const Uint32 RedMask = 0x000000FF, GreenMask = 0x0000FF00, BlueMask = 0x00FF0000, AlphaMask = 0xFF000000;
#else
const Uint32 RedMask = 0xFF000000, GreenMask = 0x00FF0000, BlueMask = 0x0000FF00, AlphaMask = 0x000000FF;
#endif

} // namespace

bool ReadSkinAsPng(const std::string& path, std::vector<uint8_t>& png, bool& cutOut, std::string& error) {
    SDL_Surface* picture = ReadImageFile(path);
    if (!picture) {
        error = SDL_GetError();
        return false;
    }
    cutOut = picture->format->Amask != 0;
    // Palette, grey, 16-bit and BGR pictures all come out as R, G, B, A bytes, top row first.
    SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, picture->w, picture->h, 32, RedMask, GreenMask,
                                             BlueMask, AlphaMask);
    bool copied = false;
    std::vector<uint8_t> rgba;
    if (copy) {
        SDL_SetAlpha(picture, 0, SDL_ALPHA_OPAQUE);
        SDL_SetColorKey(picture, 0, 0);
        copied = SDL_BlitSurface(picture, nullptr, copy, nullptr) == 0;
        if (copied) {
            const size_t row = static_cast<size_t>(picture->w) * 4;
            rgba.resize(row * static_cast<size_t>(picture->h));
            for (int y = 0; y < picture->h; ++y) {
                const uint8_t* source = static_cast<const uint8_t*>(copy->pixels) + y * copy->pitch;
                for (size_t x = 0; x < row; x += 4) {
                    uint8_t* to = &rgba[static_cast<size_t>(y) * row + x];
                    to[0] = source[x];
                    to[1] = source[x + 1];
                    to[2] = source[x + 2];
                    to[3] = cutOut ? source[x + 3] : 255;
                }
            }
        }
        SDL_FreeSurface(copy);
    }
    const int width = picture->w, height = picture->h;
    SDL_FreeSurface(picture);
    if (!copied || !CPngWriter::EncodeRGBA(width, height, rgba, png)) {
        error = "cannot convert the picture";
        return false;
    }
    return true;
}
