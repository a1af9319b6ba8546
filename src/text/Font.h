// A bitmap font: 256 glyphs from a 16 x 16 grid image, printed in window pixels.
#pragma once

class CFont {
public:
    CFont();
    ~CFont();

    // Prints formatted text with its top-left corner at (x, y) in character set `set`.
    bool Print(int x, int y, int set, const char* format, ...);
};
