/// \class CTGATexture
/// A true-colour Truevision TGA image (type 2 raw or type 10 run-length, 24 or 32 bits) decoded
/// into the engine's image record (R,G,B(,A) rows, bottom row first) and uploaded as an OpenGL
/// texture. The font holds one.
#pragma once

#include "textures/DecodedImage.h"
#include "textures/Texture.h"

#include <cstddef>
#include <cstdint>

class CTGAStream;

class CTGATexture {
public:
    /// An empty record: no pixels, no texture.
    CTGATexture();
    /// Deletes the texture.
    ~CTGATexture();

    /// Decodes the file and uploads it; the new texture is left bound. False (after a message on
    /// stdout) when the file cannot be opened or decoded, or is larger than the driver's textures.
    bool LoadTGA(const char* path);
    /// Decodes the file (on disk or "ARCHIVE:INNER", see CFileSystem) into `image` without touching
    /// OpenGL.
    bool DecodeFile(const char* path);
    /// Decodes a TGA image held in memory into `image`; `name` stands for the file in messages.
    bool DecodeMemory(const uint8_t* data, size_t size, const char* name);
    /// Creates the texture from `image` (the unpack alignment the rows need is set and restored),
    /// deleting the one made before.
    void Upload();

    CTGATexture(const CTGATexture&) = delete;
    CTGATexture& operator=(const CTGATexture&) = delete;

    /// The decoded picture, imageSize bytes of pixels; empty until a decode succeeds.
    DecodedImage image;
    /// The name of the texture created by the last successful LoadTGA.
    uint32_t texID;
    uint32_t bpp;   ///< Bits per pixel, 24 or 32.
    int32_t width;  ///< Width in pixels.
    int32_t height; ///< Height in pixels.
    /// GL_RGB for 24-bit images, GL_RGBA for 32-bit ones.
    uint32_t format;
    /// File bytes 1..11: colour-map type, image type, colour-map description, origin.
    uint8_t header[11];
    /// File bytes 12..17: width, height, pixel depth, image descriptor.
    uint8_t info[6];
    uint32_t bytesPerPixel; ///< 3 or 4.
    uint32_t imageSize;     ///< Bytes of the picture's pixels.

private:
    /// Reads the header and hands the pixel data to the decoder its type names; rows the image
    /// descriptor says the file holds top-down are then stored bottom-up.
    bool Decode(CTGAStream& stream, const char* path);
    /// Reads the information block, validates it, sizes the pixels and passes over the ID field.
    bool ReadInfo(CTGAStream& stream, uint8_t idLength, const char* path);
    /// Type 2: the pixels as stored.
    bool LoadUncompressedTGA(CTGAStream& stream, const char* path);
    /// Type 10: run-length packets.
    bool LoadCompressedTGA(CTGAStream& stream, const char* path);
    /// Drops the pixels.
    void FreeImage();
    /// Writes a loader message and the path on stdout.
    static void Report(const char* message, const char* path);

    CTexture texture;
};
