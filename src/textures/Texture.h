/// \class CTexture
/// An OpenGL 2D texture with exactly one owner: made only by Upload from a decoded image, deleted with
/// its owner while the GL context lives (after the graphics core has shut SDL down it went with the
/// context). Moves hand the texture on; copies do not exist.
#pragma once

#include "textures/DecodedImage.h"

#include <cstdint>
#include <memory>

/// How a texture samples and repeats: each kind of texture says what it needs. 0 leaves GL's default.
struct TextureOptions {
    int32_t minFilter = 0; ///< Minification filter.
    int32_t magFilter = 0; ///< Magnification filter.
    /// For both directions.
    int32_t wrap = 0;
    /// Builds the mipmap levels (GLU rescales sides that are not powers of two).
    bool mipmaps = false;
};

class CTexture {
public:
    /// No texture.
    CTexture() = default;
    ~CTexture();
    CTexture(CTexture&& other) noexcept;            ///< Takes over the other's texture.
    CTexture& operator=(CTexture&& other) noexcept; ///< Deletes its own texture and takes over the other's.
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    /// The one way the engine makes a texture: the image's rows, bottom row first, with the options'
    /// sampling. The new texture is left bound; the unpack alignment is as it was. No texture for an
    /// empty image.
    static CTexture Upload(const DecodedImage& image, const TextureOptions& options);
    /// Whether the driver can hold a texture of this size (asked through the proxy texture). True
    /// without a current context, which cannot be asked.
    static bool Fits(int32_t width, int32_t height, int32_t channels);
    /// True while there is an OpenGL context to make calls on. The graphics core's destructor shuts
    /// SDL down, and the context with it: what outlives it frees only its memory then.
    static bool ContextAlive();
    /// A model skin from a picture file (see DecodedImage::Load for the reader and the log lines):
    /// mipmapped, nearest mipmap with linear texels; pixels a PNG or GIF marks transparent (its
    /// transparent colour or palette entries) are cut out as an alpha channel would.
    static CTexture LoadSkin(const char* path, ImageReader reader = ImageReader::ByExtension);

    /// A texture someone else made and deletes, to be held like one of ours: this object never
    /// deletes it. For a caller that hands the engine a bare name it keeps owning.
    static std::shared_ptr<const CTexture> View(uint32_t name, bool hasAlpha);

    /// The GL texture name; 0 when there is none.
    uint32_t Name() const { return name; }
    /// The image had an alpha channel (cut-outs, translucent art).
    bool HasAlpha() const { return hasAlpha; }
    /// Hands the texture to a caller that deletes it itself; this object then holds none.
    uint32_t Release();

private:
    /// Deletes the texture now, if there is one and the context still lives.
    void Delete();

    uint32_t name = 0;
    bool hasAlpha = false;
    /// False for a view of another owner's texture.
    bool owned = true;
};
