/// \class CUtils
/// The utilities manager: frame time and frames per second (shown in the caption), BMP files as
/// OpenGL textures, and a few immediate-mode debug drawings.
#pragma once

#include "textures/DecodedImage.h"

#include <cstddef>
#include <cstdint>

/// A BMP image as LoadBMP hands it out: the engine's one image record, RGB rows bottom row first,
/// owned by the caller (release it with CUtils::FreeBMP).
using BMPImage = DecodedImage;

class CUtils {
public:
    CUtils();
    ~CUtils();

    /// Measures one frame; about once a second reports the rate in the caption.
    void UpdateFPS();
    /// Seconds between the two latest UpdateFPS calls.
    float GetFrameTime() const;
    /// Frames counted in the last completed measuring interval.
    int GetFPS() const;
    /// The caption suffix written by the last report.
    const char* GetFPSText() const;
    /// Loads a BMP file into a mipmapped RGB texture the caller deletes; 0 on failure. (A CTexture from
    /// CTexture::LoadSkin deletes itself.)
    unsigned int LoadBMPTexture(const char* file);
    /// Loads any image SDL_image reads (PCX, PNG, TGA, JPEG, BMP) into a mipmapped texture laid out as
    /// LoadBMPTexture's (bottom row first), with the same two lines; 0 on failure. A picture with an
    /// alpha channel (PNG, TGA) gives an RGBA texture, any other an RGB one.
    unsigned int LoadImageTexture(const char* file);
    /// Loads a BMP file into memory as RGB rows, bottom row first; null on failure.
    BMPImage* LoadBMP(const char* file);
    /// The same from a BMP file already in memory; name stands for the file in messages.
    BMPImage* LoadBMPFromMemory(const void* bytes, size_t size, const char* name);
    /// Releases a record returned by LoadBMP.
    static void FreeBMP(BMPImage* image);
    void SwapBytes(unsigned char* a, unsigned char* b); ///< Exchanges two bytes.
    /// A grey 61 x 61 line grid, one unit apart, from -30 to 30 around the position.
    void DrawGrid(float x, float y, float z);
    /// A cube from -1 to 1 with one colour per face.
    void DrawCube(float x, float y, float z);
    void DrawQuad(float x, float y, float z); ///< A unit square at the position, in the current colour.
    /// The three axes from the origin, red x, green y, blue z.
    void DrawAxes();

    /// The process-wide timing state; tests reset it between cases.
    static void ResetTiming();
    /// Replaces SDL_GetTicks as the clock of UpdateFPS (null restores SDL's clock).
    static void SetTickSource(uint32_t (*source)());

private:
    int32_t fps;
    float frameTime;
    char fpsText[20];
};
