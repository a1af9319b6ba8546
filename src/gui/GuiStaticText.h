// A line of text in a GUI window (or on its own) with its own colour, character set and scale,
// printed with font 1 every frame; it takes no input.
#pragma once

#include <cstdint>
#include <string>

class CGuiStaticText {
public:
    // White "Static Text" at (0, 0), character set 0, scale 1.
    CGuiStaticText();
    explicit CGuiStaticText(const std::string& text);
    CGuiStaticText(const std::string& text, float x, float y);
    // The colour is given red, blue, green, alpha, like the font's SetColorRBGA.
    CGuiStaticText(const std::string& text, float x, float y, float red, float blue, float green,
                   float alpha);

    // Prints at the text's own position.
    void Draw();
    // Prints at the origin plus the text's position; a window passes its top-left corner.
    void Draw(float originX, float originY);
    // Prints at exactly (atX, atY).
    void DrawAt(float atX, float atY);
    std::string GetText() const { return text; }
    void SetText(const std::string& value) { text = value; }
    // Red, blue, green, alpha, in that order.
    void SetColor(float red, float blue, float green, float alpha);
    void SetFontSet(int32_t set) { fontSet = set; }
    void SetScale(float sx, float sy);
    float GetX() const { return x; }
    float GetY() const { return y; }

private:
    float x;
    float y;
    float color[4];
    std::string text;
    int32_t fontSet;
    float scaleX;
    float scaleY;
};
