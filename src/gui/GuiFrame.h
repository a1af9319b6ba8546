/// \file
/// What every GUI element reads and prints during its per-frame update: the mouse from the event
/// manager, the left-button press or release taken in this frame, and hover texts in font 1.
#pragma once

#include <string>

/// The mouse lies in the rectangle, every edge inclusive. False while there is no event manager.
bool GuiMouseInRect(float left, float top, float right, float bottom);
/// This frame took a press of the left mouse button.
bool GuiLeftPressed();
/// This frame took a release of the left mouse button.
bool GuiLeftReleased();

/// Where a hover text is printed (a screen position) and whether it is. The colour is kept for the
/// application; the text is printed in the font's own colour.
struct HoverPlace {
    bool enabled = false;                      ///< The text is printed.
    float x = 0.0f;                            ///< Screen x of the text.
    float y = 0.0f;                            ///< Screen y of the text.
    float color[4] = {0.0f, 0.0f, 0.0f, 0.0f}; ///< The colour given, red, green, blue, alpha.

    /// Stores the colour and position, and enables the text.
    void Set(float red, float green, float blue, float alpha, float atX, float atY);
    /// Prints `text` there when enabled and not null: literally, with font 1 in its stored colour and
    /// scale, character set 0.
    void Print(const char* text) const;
};

/// A widget's hover text, an owned copy, printed while the mouse is over the widget.
struct HoverText : HoverPlace {
    std::string text; ///< The text printed.

    /// Stores the text, colour and position, and enables the text.
    void Set(const std::string& value, float red, float green, float blue, float alpha, float atX,
             float atY) {
        text = value;
        HoverPlace::Set(red, green, blue, alpha, atX, atY);
    }
    /// Prints the text when it is enabled.
    void Print() const { HoverPlace::Print(text.c_str()); }
};
