/// \struct DecodedImage
/// A picture decoded for upload as a texture: R, G, B (, A) bytes in tightly packed rows, bottom row
/// first, the order GL takes them in. Every image the engine turns into a texture passes
/// through this record, whatever file it came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct SDL_Surface;

/// Which decoder reads a picture file.
enum class ImageReader {
    /// SDL's BMP reader, each pixel converted through the file's own format (SDL_GetRGB).
    BMP,
    /// SDL_image: PNG, PCX, TGA, JPEG, BMP and the rest.
    SDLImage,
    /// BMP for a name ending in ".bmp" (any case), SDL_image for any other.
    ByExtension,
};

struct DecodedImage {
    int32_t width = 0;  ///< Width in pixels.
    int32_t height = 0; ///< Height in pixels.
    /// 3 (RGB) or 4 (RGBA); 0 while empty.
    int32_t channels = 0;
    std::vector<uint8_t> pixels; ///< The rows, bottom row first.

    /// No pixels.
    bool Empty() const { return pixels.empty(); }
    /// Four channels.
    bool HasAlpha() const { return channels == 4; }
    /// Reverses the row order, for a client that wants the top row first.
    void FlipRows();

    /// A picture file's bytes decoded with no SDL (stb_image; PCX by the engine's own reader): RGBA
    /// when the file has an alpha channel, RGB otherwise. name stands for the file (".pcx", any case,
    /// tells a PCX picture). On failure an empty image and `why` says why in a few words.
    static DecodedImage Decode(const std::vector<uint8_t>& bytes, const std::string& name, std::string& why);
    /// The same for a file on disk or inside an archive (see CFileSystem).
    static DecodedImage Read(const std::string& path, std::string& why);
    /// A BMP file (on disk or inside an archive) as RGB. On failure " Failed loading NAME : why" on standard
    /// error and an empty image.
    static DecodedImage FromBMP(const char* path);
    /// The same from a BMP file already in memory; name stands for the file in messages.
    static DecodedImage FromBMPMemory(const void* bytes, size_t size, const char* name);
    /// A picture SDL_image reads (on disk or inside an archive), as FromSurface makes it; empty, with SDL's
    /// error set, on failure.
    static DecodedImage FromFile(const std::string& path, bool keyAsAlpha);
    /// The same from a picture file already in memory; name stands for the file (its extension tells
    /// a TGA picture, which has no signature).
    static DecodedImage FromMemory(const void* bytes, size_t size, const char* name, bool keyAsAlpha);
    /// The surface's pixels: RGBA when it has an alpha channel, RGB otherwise. Palette, grey, 16-bit
    /// and BGR surfaces come out the same. With keyAsAlpha a colour-keyed surface (a PNG's transparent
    /// colour or palette entry) becomes RGBA with its keyed pixels transparent; without, the key is
    /// dropped. Empty when the copy cannot be made. The surface stays the caller's.
    static DecodedImage FromSurface(SDL_Surface* surface, bool keyAsAlpha);
    /// Reads a picture file (on disk or inside an archive) with the engine's log lines: "Loading Texture: "
    /// and the path, and on failure "Failed to load the image: ", the path and SDL's reason, on standard
    /// output.
    static DecodedImage Load(const char* path, ImageReader reader, bool keyAsAlpha);
};
