// The pictures of the GUI's lists and text fields and of the viewer's panel under Data/GUI: a list's
// box, row mark and scroll bar, a text field, the panel's background, its playback buttons, and the
// timeline's track, ticks and knob.
#include "Canvas.h"
#include "Generator.h"
#include "GuiArt.h"

#include <string>

namespace assetgen {

namespace {

const Rgba Rim{0.40f, 0.46f, 0.56f, 0.9f};

// A dark recessed box with a light rim, the ground of lists and text fields.
bool MakeInset(const std::string& path, int width, int height, float radius) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    Canvas canvas(width, height);
    Shape box = RoundedBox(0.5f, 0.5f, w - 0.5f, h - 0.5f, radius);
    canvas.Fill(box, VerticalGradient({0.04f, 0.05f, 0.07f, 0.85f}, {0.09f, 0.10f, 0.13f, 0.85f}, 0, h));
    canvas.Fill(Subtract(box, Grow(box, -1)), Rim);
    return Save(canvas, path);
}

bool MakeListArt(const std::string& gui) {
    Canvas mark(64, 18);
    mark.Fill(RoundedBox(-1, 0.5f, 65, 17.5f, 0),
              VerticalGradient({0.30f, 0.50f, 0.82f, 0.9f}, {0.14f, 0.29f, 0.55f, 0.9f}, 0, 18));
    Canvas track(12, 64);
    track.Fill(RoundedBox(2.5f, 1.5f, 9.5f, 62.5f, 3.5f), Rgba{0.02f, 0.03f, 0.05f, 0.9f});
    Canvas thumb(12, 32);
    thumb.Fill(RoundedBox(2, 1, 10, 31, 4),
               VerticalGradient({0.75f, 0.80f, 0.90f, 1}, {0.50f, 0.56f, 0.68f, 1}, 0, 32));
    // A list and its rows are stretched to any width, so their pictures are plain across: corners and
    // a rim would stretch with them.
    Canvas back(8, 8);
    back.Fill(RoundedBox(-1, -1, 9, 9, 0), Rgba{0.04f, 0.05f, 0.07f, 0.85f});
    return Save(back, gui + "list_back.png") && Save(mark, gui + "list_mark.png") &&
           Save(track, gui + "list_track.png") && Save(thumb, gui + "list_thumb.png") &&
           MakeInset(gui + "textfield.png", 128, 24, 4);
}

bool MakePanel(const std::string& path) {
    const int width = 320, height = 580;
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    Canvas canvas(width, height);
    Shape outline = RoundedBox(0, 0, w, h, 10);
    canvas.Fill(outline, VerticalGradient({0.20f, 0.23f, 0.29f, 0.80f}, {0.12f, 0.14f, 0.18f, 0.80f}, 0, h));
    canvas.Fill(Subtract(outline, Grow(outline, -1.5f)), Rgba{0.60f, 0.70f, 0.88f, 1});
    return Save(canvas, path);
}

// Back, play or pause, forward, slower and faster, small enough for a row of five.
bool MakePlaybackButtons(const std::string& gui) {
    const int w = 52, h = 28;
    const Rgba base{0.22f, 0.32f, 0.50f, 1};
    Shape back = Union(Segment(18, 8, 18, 20, 1.4f), Polygon({34, 7, 34, 21, 21, 14}));
    Shape play = Union(Polygon({14, 7, 14, 21, 25, 14}),
                       Union(Segment(31, 8, 31, 20, 1.6f), Segment(37, 8, 37, 20, 1.6f)));
    Shape forward = Union(Segment(34, 8, 34, 20, 1.4f), Polygon({18, 7, 18, 21, 31, 14}));
    Shape slower = Segment(18, 14, 34, 14, 1.8f);
    Shape faster = Union(Segment(18, 14, 34, 14, 1.8f), Segment(26, 6, 26, 22, 1.8f));
    return MakeButton(gui + "button_back", base, back, w, h) &&
           MakeButton(gui + "button_play", base, play, w, h) &&
           MakeButton(gui + "button_forward", base, forward, w, h) &&
           MakeButton(gui + "button_slower", base, slower, w, h) &&
           MakeButton(gui + "button_faster", base, faster, w, h);
}

bool MakeTimeline(const std::string& gui) {
    Canvas track(64, 8);
    track.Fill(RoundedBox(0.5f, 0.5f, 63.5f, 7.5f, 3.5f), Rgba{0.05f, 0.06f, 0.08f, 0.9f});
    track.Fill(Subtract(RoundedBox(0.5f, 0.5f, 63.5f, 7.5f, 3.5f), RoundedBox(1.5f, 1.5f, 62.5f, 6.5f, 2.5f)),
               Rim);
    Canvas tick(2, 14);
    tick.Fill(RoundedBox(0, 0, 2, 14, 0.5f), Rgba{0.80f, 0.85f, 0.95f, 1});
    Canvas knob(12, 24);
    Shape body = RoundedBox(1, 1, 11, 23, 4);
    knob.Fill(Grow(body, 0.5f), Rgba{0.05f, 0.06f, 0.08f, 1});
    knob.Fill(body, VerticalGradient({1.0f, 0.90f, 0.50f, 1}, {0.90f, 0.62f, 0.20f, 1}, 0, 24));
    return Save(track, gui + "timeline_track.png") && Save(tick, gui + "timeline_tick.png") &&
           Save(knob, gui + "timeline_knob.png");
}

bool MakePanelArt(const std::string& dataDir) {
    const std::string gui = dataDir + "/GUI/";
    return MakeListArt(gui) && MakePanel(gui + "panel.png") && MakePlaybackButtons(gui) && MakeTimeline(gui);
}

Registrar reg("panel", MakePanelArt);

} // namespace

} // namespace assetgen
