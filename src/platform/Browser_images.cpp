// Pictures in the browser build, decoded by the engine's own decoder instead of the emulated
// SDL_image: the browser's decoder hands back colour premultiplied by alpha, so a transparent texel
// turns black and the alpha test and blending see other colours than on the desktop. Built with
// KORVEL_BROWSER_CALLS_REAL_GL.
#include "platform/Browser.h"

#include "textures/DecodedImage.h"

#include <cstring>
#include <map>
#include <utility>
#include <vector>

namespace Browser {

namespace {

// The bytes behind each memory stream the layer opened, by the stream's number: the emulation's
// streams cannot be read back from here.
std::map<SDL_RWops*, std::pair<const void*, int>> memoryStreams;

// An SDL surface with the picture's rows, top row first, its bytes R, G, B(, A) in memory; null when
// the emulation cannot make one in that layout.
SDL_Surface* SurfaceOf(DecodedImage& image) {
    const bool alpha = image.HasAlpha();
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, image.width, image.height, alpha ? 32 : 24,
                                                0x000000FF, 0x0000FF00, 0x00FF0000, alpha ? 0xFF000000 : 0);
    if (!surface || !surface->pixels || surface->format->BytesPerPixel != image.channels) {
        if (surface) {
            SDL_FreeSurface(surface);
        }
        return nullptr;
    }
    image.FlipRows();
    const size_t row = static_cast<size_t>(image.width) * static_cast<size_t>(image.channels);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(static_cast<Uint8*>(surface->pixels) + y * surface->pitch, &image.pixels[y * row], row);
    }
    return surface;
}

// The same picture with an alpha channel: the emulation's surfaces may all be four bytes a pixel.
void AddAlpha(DecodedImage& image) {
    std::vector<uint8_t> rgba(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4, 255);
    for (size_t i = 0, j = 0; i < image.pixels.size(); i += 3, j += 4) {
        std::memcpy(&rgba[j], &image.pixels[i], 3);
    }
    image.pixels.swap(rgba);
    image.channels = 4;
}

} // namespace

void RememberStream(SDL_RWops* stream, const void* bytes, int size) {
    memoryStreams[stream] = {bytes, size};
}

SDL_Surface* LoadImage(SDL_RWops* stream, int freeStream, const char* type) {
    const auto found = memoryStreams.find(stream);
    if (found == memoryStreams.end()) {
        return IMG_Load_RW(stream, freeStream);
    }
    const unsigned char* bytes = static_cast<const unsigned char*>(found->second.first);
    const std::vector<uint8_t> data(bytes, bytes + found->second.second);
    memoryStreams.erase(found);
    if (freeStream) {
        SDL_FreeRW(stream);
    }
    std::string why;
    DecodedImage image = DecodedImage::Decode(data, std::string("picture.") + (type ? type : ""), why);
    if (image.Empty()) {
        SDL_SetError("%s", why.c_str());
        return nullptr;
    }
    SDL_Surface* surface = SurfaceOf(image);
    if (!surface && !image.HasAlpha()) {
        AddAlpha(image);
        surface = SurfaceOf(image);
    }
    if (!surface) {
        SDL_SetError("cannot make a surface of %dx%d", image.width, image.height);
    }
    return surface;
}

} // namespace Browser
