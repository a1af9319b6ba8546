// A bitmap font: 256 glyphs from a 16 x 16 grid image, printed in window pixels.
#pragma once

class CFont {
public:
    CFont();
    ~CFont();

    // Prints formatted text with its top-left corner at (x, y) in character set `set`.
    bool Print(int x, int y, int set, const char* format, ...);
    // Prints at a float position in the stored colour and scale.
    bool PrintAt(float x, float y, int set, const char* format, ...);
    // Prints with the colour and scale given here instead of the stored ones.
    bool PrintEx(int x, int y, int set, float red, float green, float blue, float alpha, float sx, float sy,
                 const char* format, ...);
};
