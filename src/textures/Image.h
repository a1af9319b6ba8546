/// \class CImage
/// An image file (PNG or anything else SDL_image reads) turned into an OpenGL texture and drawn as a
/// 2D quad in window pixels through built-in program 0. Every texture it creates is listed by the
/// texture manager.
#pragma once

#include "textures/Texture.h"

#include <cstdint>
#include <string>

class CShader;

/// A part of an image in fractions of its size: left and right run from 0 at the left edge to 1 at
/// the right edge, top and bottom from 0 at the bottom edge to 1 at the top. (1, 1, 0, 0) is all of it.
struct TexRect {
    float top;    ///< Top edge, 0 bottom to 1 top.
    float right;  ///< Right edge, 0 left to 1 right.
    float bottom; ///< Bottom edge, 0 bottom to 1 top.
    float left;   ///< Left edge, 0 left to 1 right.
};

class CImage {
public:
    /// An empty image: no texture, zero size.
    CImage();
    /// Loads the file into a texture; a file that cannot be read leaves the image empty.
    explicit CImage(const std::string& path);
    /// As above, with the alpha used by the Draw overload that takes none.
    CImage(const std::string& path, float alpha);
    /// Unlists the image from the texture manager and deletes its texture.
    ~CImage();

    /// Draws the whole image with its top-left corner at (x, y).
    void Draw(float x, float y, float scale, float angle, float r, float g, float b, float a);
    /// Draws the whole image at its own position (the fields x and y).
    void Draw(float scale, float angle, float r, float g, float b, float a);
    /// Draws the whole image at (x, y) with the image's own alpha.
    void Draw(float x, float y, float scale, float angle, float r, float g, float b);
    /// Draws the part of the image that rect selects, (right - left) x (top - bottom) of its size.
    void DrawRegion(float x, float y, TexRect rect, float scale, float angle, float r, float g, float b,
                    float a);
    /// Binds the texture on a texture unit for a client's own drawing.
    void BindToUnit(int unit);
    /// Frees nothing: the texture goes with the image.
    void Release();

    /// Width in pixels.
    float GetWidth() const { return width; }
    /// Height in pixels.
    float GetHeight() const { return height; }
    /// Sets the drawn width.
    void SetWidth(float value) { width = value; }
    /// Sets the drawn height.
    void SetHeight(float value) { height = value; }
    /// The alpha of draws that take none.
    float GetAlpha() const { return alpha; }
    /// Sets the alpha of draws that take none.
    void SetAlpha(float value) { alpha = value; }

    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    /// The name of `texture`, kept for the callers that read it.
    uint32_t texID = 0;
    std::string name;          ///< The file it came from.
    float width = 0.0f;        ///< Width in pixels.
    float height = 0.0f;       ///< Height in pixels.
    float x = 0.0f;            ///< Screen x of the draws that take no position.
    float y = 0.0f;            ///< Screen y of the draws that take no position.
    float alpha = 1.0f;        ///< The alpha of draws that take none.
    CShader* shader = nullptr; ///< The program it draws through (built-in program 0).

private:
    /// Reads the file and creates the texture; false (with its message) when the file cannot be read.
    bool Load(const std::string& path);
    /// Uploads the picture as a mipmapped texture and registers the image.
    void CreateTexture(DecodedImage& image);
    /// Everything a draw does around its quad; `region` picks DrawRegion's vertex order.
    void DrawQuad(float x, float y, const TexRect& rect, bool region, float scale, float angle, float r,
                  float g, float b, float a);

    CTexture texture;
    /// Location of the program's "colors" uniform, looked up once per program instead of per draw.
    int32_t colorsLocation = -1;
    uint32_t colorsProgram = 0;
};
