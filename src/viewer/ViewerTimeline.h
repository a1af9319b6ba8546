// The timeline along the bottom of the viewer's window: the playing animation's key frames as ticks
// on a track, a knob at the key frame shown, and the mouse going to a key frame by a press on the
// track or a drag along it (playback pauses while the knob is held).
#pragma once

#include <memory>

class CImage;
class CMD2Model;

class CViewerTimeline {
public:
    // The track's place in the window, in pixels.
    static constexpr int kLeft = 250, kRight = 810, kTop = 714, kBottom = 746;

    CViewerTimeline();
    ~CViewerTimeline();

    // Takes a press on the track, follows a drag and ends it on the release, showing the key frame
    // under the mouse; the model is paused while the knob is held and plays on after if it did
    // before. Call once per frame, after the event manager's update.
    void HandleMouse(CMD2Model& model);
    // Draws the track, its ticks and the knob in the 2D overlay.
    void Draw(const CMD2Model& model) const;
    // Whether the window pixel (x, y) lies on the timeline.
    static bool Covers(int x, int y);

private:
    // The key frame of the playing animation under window x.
    static int FrameAt(const CMD2Model& model, int x);
    // The window x of key frame `frame` of the playing animation.
    static float FrameX(const CMD2Model& model, int frame);

    std::unique_ptr<CImage> track, tick, knob;
    bool dragging = false;
    bool wasPaused = false;
};
