/// \class CGuiWindow
/// A rectangular window of the 2D overlay: a background image fitted to its size, more images,
/// buttons, check boxes, lists, text fields and static texts placed relative to its top-left corner, and for
/// a movable window a title bar along the top edge that drags it with the left mouse button.
#pragma once

#include "gui/GuiFrame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CGuiButton;
class CGuiCheckBox;
class CGuiList;
class CGuiTextField;
class CGuiStaticText;
class CImage;

class CGuiWindow {
public:
    /// An empty hidden window at (0, 0, 0, 0) with a 15-pixel title bar and id -1.
    CGuiWindow();
    /// A hidden window with the background image `file` (null counts as no file), fitted to the
    /// window: squeezed in each direction where it is larger, or stretched to the window's size.
    CGuiWindow(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* file, bool stretch,
               float alpha, uint32_t titleBarHeight, int32_t id, bool movable);
    /// Destroys the buttons, images, check boxes, lists, text fields and static texts it owns; the
    /// hover text is the caller's.
    ~CGuiWindow();

    /// Takes ownership of an image drawn at its own (x, y) relative to the window. Null, or an image
    /// already held, is ignored.
    void AddImage(CImage* image);
    /// Loads an image drawn at (x, y) relative to the window with the given alpha.
    void AddImage(const char* file, uint32_t x, uint32_t y, float alpha);
    /// Takes ownership of a button, moved inside the window's right and bottom edges. Null, or a
    /// button already held, is ignored.
    void AddButton(CGuiButton* button);
    /// Adds a button animated from "PREFIX1.png" to "PREFIX<frameCount>.png" at (x, y) of the window,
    /// reporting `id` when clicked.
    void AddButton(const char* prefix, uint32_t frameCount, float x, float y, int32_t id);
    /// Takes ownership of a check box, moved inside the window's right and bottom edges. Null, or a
    /// check box already held, is ignored.
    void AddCheckBox(CGuiCheckBox* checkBox);
    /// Adds a check box with its unchecked and checked animations at (x, y) of the window, reporting `id`
    /// when clicked.
    void AddCheckBox(const char* uncheckedPrefix, uint32_t uncheckedCount, const char* checkedPrefix,
                     uint32_t checkedCount, float x, float y, int32_t id);
    /// Takes ownership of a list, drawn where it says. Null, or a list already held, is ignored.
    void AddList(CGuiList* list);
    /// Takes ownership of a text field, drawn where it says. Null, or a field already held, is ignored.
    void AddTextField(CGuiTextField* field);
    /// Takes ownership of a static text. Null, or a text already held, is ignored.
    void AddStaticText(CGuiStaticText* text);
    /// Moves the edges; the content keeps its place relative to the top-left corner.
    void SetRect(int32_t newLeft, int32_t newTop, int32_t newRight, int32_t newBottom);
    /// Marks the window active; activating also shows it.
    void SetActive(bool value);
    /// Shows or hides the window; hiding also clears the active mark.
    void SetVisible(bool value);
    /// Whether the window is drawn.
    bool IsVisible() const { return visible; }
    /// Whether the window is the active one.
    bool IsActive() const { return active; }
    /// Whether the window is being dragged by its title bar.
    bool IsDragging() const { return dragging; }
    /// The window's id.
    int32_t GetId() const { return id; }
    /// Lets the title bar drag the window, or not.
    void SetMovable(bool value) { movable = value; }
    /// Height of the title bar in pixels.
    void SetTitleBarHeight(uint32_t height) { titleBarHeight = height; }
    /// The text printed at a screen position while the mouse is over the title bar. The window keeps
    /// the pointer, not a copy: the caller keeps the text alive. The colour is kept, but the text is
    /// printed in the font's own colour.
    void SetHoverText(const char* text, float red, float green, float blue, float alpha, float x, float y);
    /// Turns the hover texts of every widget on or off.
    void SetHoverTextEnabled(bool value) { hoverPlace.enabled = value; }
    /// Left edge in screen pixels.
    float GetLeft() const { return left; }
    /// Top edge in screen pixels.
    float GetTop() const { return top; }
    /// Right edge in screen pixels.
    float GetRight() const { return right; }
    /// Bottom edge in screen pixels.
    float GetBottom() const { return bottom; }
    /// The image `index` in drawing order (0 is the background); null outside the list.
    CImage* GetImage(size_t index) const;
    /// Handles the title bar, then draws images, buttons, check boxes, lists, text fields and static
    /// texts, back to front.
    void Update();
    /// Draws the content with its top-left corner at (x, y); no title bar, dragging or hover text.
    void DrawAt(float x, float y);
    /// The mouse lies on the title bar strip (edges inclusive); a movable window also picks the
    /// graphics core's pointer image by it.
    bool IsMouseOverTitleBar();

    CGuiWindow(const CGuiWindow&) = delete;
    CGuiWindow& operator=(const CGuiWindow&) = delete;

private:
    void DrawHoverText();
    /// Moves the window by this frame's mouse motion.
    void FollowMouse();
    void DrawContent(float originX, float originY);

    float top;
    float right;
    float bottom;
    float left;
    bool active;
    bool visible;
    bool movable;
    std::vector<CGuiButton*> buttons;
    std::vector<CImage*> images;
    std::vector<CGuiCheckBox*> checkBoxes;
    std::vector<CGuiStaticText*> staticTexts;
    std::vector<CGuiList*> lists;
    std::vector<CGuiTextField*> textFields;
    int32_t id;
    uint32_t titleBarHeight;
    bool dragging;
    const char* hoverText;
    HoverPlace hoverPlace;
};
