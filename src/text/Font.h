/// \class CFont
/// A bitmap font: one TGA image of 16 x 16 glyphs compiled into 256 display lists, and printf-style
/// text drawn in window pixels (origin top-left) through built-in program 0, which tints the glyphs;
/// a printed string goes out as one array of glyph quads.
#pragma once

#include "textures/TGATexture.h"

#include <array>
#include <cstdarg>
#include <cstdint>
#include <vector>

class CShader;

class CFont {
public:
    /// Scale 1, white, no lists and no texture yet.
    CFont();
    /// Deletes the glyph lists and the texture while the GL context is still alive; after SDL has
    /// shut down only the memory is released.
    ~CFont();

    /// Loads the glyph image and builds the 256 lists, replacing those of an earlier load. A font
    /// image that cannot be loaded ends the process (status 0) after the loader's message.
    bool Load(const char* file);
    /// The scale used by the prints that take none.
    void SetScale(float sx, float sy);
    /// The colour used by the prints that take none.
    void SetColor(float red, float green, float blue, float alpha);
    /// The same as SetColor with blue given before green.
    void SetColorRBGA(float red, float blue, float green, float alpha);

    /// Prints formatted text with its top-left corner at (x, y) in character set `set`: 0 regular,
    /// 1 the second half of the image, 2 and 3 the same drawn twice one pixel apart (bold).
    bool Print(int x, int y, int set, const char* format, ...);
    /// Prints in the colour given here, fully opaque.
    bool PrintColor(int x, int y, int set, float red, float green, float blue, const char* format, ...);
    /// Prints at a float position; the bold pass also hands its position to the shader as "tpos".
    bool PrintAt(float x, float y, int set, const char* format, ...);
    /// Prints with the colour and scale given here instead of the stored ones.
    bool PrintEx(int x, int y, int set, float red, float green, float blue, float alpha, float sx, float sy,
                 const char* format, ...);

    /// Prints every font through its glyph display lists, one call per character, instead of one
    /// array draw per string: the same pixels, more work; kept for comparing the two.
    static void SetListPrinting(bool on);

    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

private:
    /// What one print draws, beside the formatted text.
    struct Pass {
        double x;
        double y;
        int set;
        float color[4];
        float sx;
        float sy;
        bool sendPosition;
    };

    /// Formats into `text` and draws it; a null format prints nothing.
    void DrawFormatted(const Pass& pass, const char* format, va_list args);
    /// Draws `text` with the GL state saved before and restored after; nothing before Load.
    void Draw(const Pass& pass);
    void SaveState();
    void RestoreState();
    /// One glCallLists over the glyph lists of one half of the image; the bold pass lies one pixel right.
    void DrawPass(const Pass& pass, bool boldPass, int half, const char* glyphs, int length);
    /// The quads of the glyphs from the cell table, 12 pixels apart, drawn with one call.
    void DrawQuads(int half, const char* glyphs, int length);
    /// Finds the program's uniforms once per program rather than once per print.
    void FindUniforms();

    uint32_t listBase;
    float scaleX;
    float scaleY;
    float red;
    float green;
    float blue;
    float alpha;
    CShader* shader;
    char text[152];
    CTGATexture glyphTexture;
    /// Whether each switch text drawing sets was on before it.
    std::array<bool, 5> savedSwitches;
    int32_t savedMatrixMode;
    int32_t savedViewport[4];
    int32_t savedBlendSrc;
    int32_t savedBlendDst;
    /// Per glyph, the texture coordinates of its quad's four corners (as in its display list).
    std::vector<float> cellTable;
    /// A string's quads: per corner x, y, s, t.
    std::vector<float> quads;
    uint32_t uniformsProgram;
    int32_t colorsLocation;
    int32_t tposLocation;
};
