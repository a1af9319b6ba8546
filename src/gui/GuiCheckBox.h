/// \class CGuiCheckBox
/// A two-state widget drawn from two animated image lists, one per state: a left press over an
/// enabled check box flips it and reports its id to the event manager.
#pragma once

#include "gui/GuiWidget.h"

#include <cstdint>
#include <string>

class CImage;
class CImageList;

class CGuiCheckBox : public CGuiWidget {
public:
    /// A check box without images: it draws nothing, takes no click and measures 0.
    CGuiCheckBox();
    /// Both lists at (x, y), unchecked first; the box measures the unchecked list's frame 1.
    CGuiCheckBox(const char* uncheckedPrefix, uint32_t uncheckedCount, const char* checkedPrefix,
                 uint32_t checkedCount, float x, float y, int32_t id);
    ~CGuiCheckBox();

    /// Tests the mouse and draws at the lists' own position.
    void Update();
    /// Tests the mouse and draws at the origin plus the lists' position.
    void Update(float originX, float originY);
    /// Tests the mouse and draws at exactly (atX, atY).
    void UpdateAt(float atX, float atY);
    void SetPosition(float newX, float newY); ///< Moves the check box, relative to its window.
    float GetX() const;                       ///< Left edge, relative to the window.
    float GetY() const;                       ///< Top edge, relative to the window.
    /// Whole positions only: the value is truncated toward zero.
    void SetX(float value);
    void SetY(float value);  ///< Moves the top edge, relative to the window.
    float GetWidth() const;  ///< Width of the first image.
    float GetHeight() const; ///< Height of the first image.
    /// Frame `index` (0-based) of the unchecked list, which sizes the box; null outside the list.
    CImage* GetFrame(int32_t index) const;
    /// Draws every frame of both states at width x height.
    void SetFrameSize(int32_t width, int32_t height);
    /// Checks or clears the box.
    void SetChecked(bool value) { checked = value; }
    /// Whether the box is checked.
    bool IsChecked() const { return checked; }

    CGuiCheckBox(const CGuiCheckBox&) = delete;
    CGuiCheckBox& operator=(const CGuiCheckBox&) = delete;

private:
    /// Frame 1 of the unchecked list, which sizes the box in both states.
    CImage* SizingFrame() const;
    /// The mouse is over the box drawn at (atX, atY); a left press there reports the id and flips.
    bool HitTest(float atX, float atY);

    CImageList* uncheckedImages;
    CImageList* checkedImages;
    bool checked;
};
