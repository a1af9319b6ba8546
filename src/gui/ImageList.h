/// \class CImageList
/// A numbered sequence of images played as an animation: frames "<prefix>1.png" to "<prefix>N.png",
/// stepped at most once per drawing call when the frame time has passed, looping or playing once.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class CImage;

class CImageList {
public:
    /// No frames: drawing draws nothing and never steps.
    CImageList();
    /// Loads `count` frames from "<prefix><n>.png" and places the list at (x, y).
    CImageList(const char* prefix, uint32_t count, float x, float y);
    /// Destroys every frame.
    ~CImageList();

    /// Draws the current frame at the list's position, then steps, wrapping after the last frame.
    void DrawLoop();
    void DrawLoopAt(float x, float y); ///< DrawLoop at (x, y) instead of the list's position.
    /// Draws the current frame at the list's position, then steps, holding on the last frame.
    void PlayOnce();
    void PlayOnceAt(float x, float y); ///< PlayOnce at (x, y) instead of the list's position.
    /// Draws frame `index` (0-based) without stepping; an index outside the list draws nothing.
    void DrawFrame(int32_t index);
    /// DrawFrame at (x, y) instead of the list's position.
    void DrawFrameAt(int32_t index, float x, float y);
    /// Makes frame 1 current again; the step clock is left alone.
    void Rewind();
    /// Frame `index` (0-based), still owned by the list; null outside the list.
    CImage* GetFrame(int32_t index) const;
    /// How many frames loaded.
    uint32_t GetFrameCount() const { return frameCount; }
    /// The 1-based number of the frame the next animated draw shows.
    uint32_t GetCurrentFrame() const { return currentFrame; }
    /// Frames per second; 0 stops the animation.
    void SetFrameRate(uint32_t fps) { frameRate = fps; }
    /// Frames per second.
    uint32_t GetFrameRate() const { return frameRate; }
    void SetPosition(float newX, float newY); ///< Places the list at (newX, newY).
    /// The (x, y) pair itself: a caller may move the list through it.
    std::pair<float, float>& GetPosition() { return position; }
    /// The (x, y) pair.
    const std::pair<float, float>& GetPosition() const { return position; }
    void GetPosition(float& outX, float& outY) const; ///< The position as two values.
    /// Screen x of the list.
    float GetX() const { return position.first; }
    /// Screen y of the list.
    float GetY() const { return position.second; }
    /// Sets the screen x.
    void SetX(float value) { position.first = value; }
    /// Sets the screen y.
    void SetY(float value) { position.second = value; }

    /// Replaces SDL_GetTicks as the animation clock of every list (null restores SDL's clock).
    static void SetTickSource(uint32_t (*source)());

    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

private:
    void LoadFrames(const char* prefix, uint32_t count);
    /// The frame time has passed since the last step; if so the step clock restarts now.
    bool TakeStep();
    void DrawCurrent(float atX, float atY);

    std::vector<CImage*> frames;
    uint32_t frameCount;
    uint32_t currentFrame;
    /// Screen x and y of the operations that take no position.
    std::pair<float, float> position;
    uint32_t lastTick;
    uint32_t frameRate;
};
