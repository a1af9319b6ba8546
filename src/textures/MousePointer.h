/// \class CMousePointer
/// The software mouse pointer: one image, or two to choose between, drawn with its top-left corner at
/// the mouse position. The kernel owns it; the graphics core's pointer operations forward to it.
#pragma once

class CImage;

class CMousePointer {
public:
    /// No images; nothing is drawn.
    CMousePointer();
    /// Deletes both images.
    ~CMousePointer();
    CMousePointer(const CMousePointer&) = delete;
    CMousePointer& operator=(const CMousePointer&) = delete;

    /// Loads the pointer image and hides the system cursor; a null name counts as empty.
    void Set(const char* file);
    /// Loads the alternative image; the cursor and the selection stay as they are.
    void SetSecond(const char* file);
    /// Loads both images; the first is drawn.
    void SetBoth(const char* first, const char* second);
    /// Chooses which image is drawn.
    void Select(bool second);
    /// Draws the chosen image at the mouse position (the first one while there is no second).
    void Draw();
    /// Deletes both images.
    void Release();

    CImage* pointerImage;       ///< The pointer's image; null without one.
    bool softwarePointer;       ///< Drawn every frame instead of the system cursor.
    CImage* secondPointerImage; ///< The alternative image; null without one.
    CImage* currentPointer;     ///< The image drawn.
    bool hasSecondPointer;      ///< An alternative image was loaded.
};
