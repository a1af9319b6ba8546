/// \class CGuiWidget
/// What a button and a check box share: an id, the enabled and hover states, a hover text, and the
/// per-frame drawing of an animated list that plays once while the mouse is over the widget.
#pragma once

#include "gui/GuiFrame.h"

#include <cstdint>
#include <string>

class CImageList;

class CGuiWidget {
public:
    /// A disabled widget still animates and shows its hover text but takes no click.
    void SetEnabled(bool value) { enabled = value; }
    /// Marks the mouse as over the widget, or not.
    void SetHover(bool value) { hover = value; }
    /// Whether the mouse is over the widget.
    bool IsHover() const { return hover; }
    /// The text printed at screen position (atX, atY) while the mouse is over the widget; the colour
    /// is kept, but the text is printed in the font's own colour.
    void SetHoverText(const std::string& text, float red, float green, float blue, float alpha, float atX,
                      float atY) {
        hoverText.Set(text, red, green, blue, alpha, atX, atY);
    }
    /// Turns the hover text on or off.
    void SetHoverTextEnabled(bool value) { hoverText.enabled = value; }
    /// The id the event manager reports when the widget is clicked.
    int32_t GetId() const { return id; }

protected:
    CGuiWidget() = default;
    ~CGuiWidget() = default;
    /// While the mouse is `over` the widget, plays `images` once at (atX, atY) and prints the hover
    /// text; otherwise rewinds the list and shows its first frame there.
    void Show(CImageList& images, float atX, float atY, bool over);

    bool enabled = true; ///< The widget takes clicks.
    bool visible = true; ///< The widget is drawn.
    bool hover = false;  ///< The mouse is over the widget.
    HoverText hoverText; ///< Printed while the mouse is over the widget.
    int32_t id = -1;     ///< The id reported when clicked; -1 for none.
};
