/// \class CGuiButton
/// A push button drawn from an animated image list: the animation plays once while the mouse rests
/// on it, and a left press over an enabled button reports its id to the event manager.
#pragma once

#include "gui/GuiWidget.h"

#include <cstdint>
#include <string>

class CImage;
class CImageList;

class CGuiButton : public CGuiWidget {
public:
    /// A button without images: it draws nothing, takes no click and measures 0 until SetImages.
    CGuiButton();
    /// Frames "<prefix>1.png" to "<prefix><frameCount>.png" at (x, y); its size is that of frame 1.
    CGuiButton(const char* prefix, uint32_t frameCount, float x, float y, int32_t id);
    ~CGuiButton();

    /// Replaces the image list (enabling the button again); the size follows the new frame 1.
    void SetImages(const char* prefix, uint32_t frameCount);
    /// Tests the mouse and draws at the button's own position.
    void Update();
    /// Tests the mouse and draws at the origin plus the button's position.
    void Update(float originX, float originY);
    /// Tests the mouse and draws at exactly (atX, atY).
    void UpdateAt(float atX, float atY);
    /// Shows or hides the button.
    void SetVisible(bool value) { visible = value; }
    /// Moves the button's left edge, relative to its window.
    void SetX(float value) { x = value; }
    /// Moves the button's top edge, relative to its window.
    void SetY(float value) { y = value; }
    void SetPosition(float newX, float newY); ///< Moves the button, relative to its window.
    /// Left edge, relative to the window.
    float GetX() const { return x; }
    /// Top edge, relative to the window.
    float GetY() const { return y; }
    /// Draws and tests every frame at width x height.
    void SetSize(int32_t newWidth, int32_t newHeight);
    /// Width of the button's first image.
    float GetWidth() const { return width; }
    /// Height of the button's first image.
    float GetHeight() const { return height; }
    /// Frame `index` (0-based), owned by the button; null outside the list or without images.
    CImage* GetFrame(int32_t index) const;
    void SetFrameRate(uint32_t fps); ///< Frames per second of the hover animation.

    CGuiButton(const CGuiButton&) = delete;
    CGuiButton& operator=(const CGuiButton&) = delete;

private:
    /// Measures the button by the current frame 1 of its list.
    void TakeSizeFromFrame();
    /// The mouse is over the button drawn at (atX, atY); a left press there reports the id.
    bool HitTest(float atX, float atY);

    float x;
    float y;
    CImageList* images;
    float width;
    float height;
};
