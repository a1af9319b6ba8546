/// \class CGuiStaticText
/// A line of text in a GUI window (or on its own) with its own colour, character set and scale,
/// printed with font 1 every frame; it takes no input.
#pragma once

#include <cstdint>
#include <string>

class CGuiStaticText {
public:
    /// White "Static Text" at (0, 0), character set 0, scale 1.
    CGuiStaticText();
    explicit CGuiStaticText(const std::string& text);          ///< A text at (0, 0) of its window.
    CGuiStaticText(const std::string& text, float x, float y); ///< A text at (x, y) of its window.
    /// The colour is given red, blue, green, alpha, like the font's SetColorRBGA.
    CGuiStaticText(const std::string& text, float x, float y, float red, float blue, float green,
                   float alpha);

    /// Prints at the text's own position.
    void Draw();
    /// Prints at the origin plus the text's position; a window passes its top-left corner.
    void Draw(float originX, float originY);
    /// Prints at exactly (atX, atY).
    void DrawAt(float atX, float atY);
    /// The text shown.
    std::string GetText() const { return text; }
    /// Replaces the text shown.
    void SetText(const std::string& value) { text = value; }
    /// Red, blue, green, alpha, in that order.
    void SetColor(float red, float blue, float green, float alpha);
    /// The font's character set (0 to 3).
    void SetFontSet(int32_t set) { fontSet = set; }
    void SetScale(float sx, float sy); ///< The font scale of the text.
    /// Left edge, relative to the window.
    float GetX() const { return x; }
    /// Top edge, relative to the window.
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
