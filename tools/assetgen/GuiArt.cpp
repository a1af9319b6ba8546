// The GUI example's pictures under Data/GUI: the window background, the hover frames of the two
// buttons, the frames of the check box in both states, and the pointer shown over a title bar.
#include "Canvas.h"
#include "Generator.h"
#include "GuiArt.h"
#include "Png.h"

#include <string>

namespace assetgen {

bool Save(const Canvas& canvas, const std::string& path) {
    return WritePngRGBA(path, canvas.Width(), canvas.Height(), canvas.Bytes());
}

namespace {

const int ButtonFrames = 5;

Rgba Scale(Rgba c, float by) {
    return {c.r * by, c.g * by, c.b * by, c.a};
}

// Frame `frame` of a button's hover animation: the body lightens and the rim warms to a glow.
bool MakeButtonFrame(const std::string& path, Rgba base, const Shape& icon, int frame, int width,
                     int height) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    float t = static_cast<float>(frame) / static_cast<float>(ButtonFrames - 1);
    Canvas canvas(width, height);
    canvas.Fill(RoundedBox(0.5f, 0.5f, w - 0.5f, h - 0.5f, 9),
                Mix({0.05f, 0.06f, 0.08f, 1}, {1.0f, 0.90f, 0.50f, 1}, t));
    Rgba top = Mix(Scale(base, 1.25f), Rgba{1, 1, 1, 1}, 0.10f + 0.20f * t);
    Rgba bottom = Mix(Scale(base, 0.75f), Rgba{1, 1, 1, 1}, 0.12f * t);
    canvas.Fill(RoundedBox(2.5f, 2.5f, w - 2.5f, h - 2.5f, 7), VerticalGradient(top, bottom, 2, h - 2));
    canvas.Fill(RoundedBox(5, 4, w - 5, h * 0.45f, 5), Rgba{1, 1, 1, 0.10f + 0.08f * t});
    Shape shadow = [icon](float x, float y) { return icon(x - 1.0f, y - 1.5f); };
    canvas.Fill(shadow, Rgba{0, 0, 0, 0.35f});
    canvas.Fill(icon, Rgba{1, 1, 1, 1});
    return Save(canvas, path);
}

} // namespace

bool MakeButton(const std::string& prefix, Rgba base, const Shape& icon, int width, int height) {
    for (int frame = 0; frame < ButtonFrames; ++frame) {
        if (!MakeButtonFrame(prefix + std::to_string(frame + 1) + ".png", base, icon, frame, width, height)) {
            return false;
        }
    }
    return true;
}

namespace {

const int WindowWidth = 400;
const int WindowHeight = 300;
const float TitleBarHeight = 24.0f;
const int ButtonWidth = 128;
const int ButtonHeight = 40;
const int CheckBoxSize = 28;
const int CheckBoxFrames = 4;

bool MakeWindow(const std::string& path) {
    const float w = WindowWidth, h = WindowHeight;
    Canvas canvas(WindowWidth, WindowHeight);
    Shape outline = RoundedBox(0, 0, w, h, 10);
    canvas.Fill(outline, VerticalGradient({0.20f, 0.23f, 0.29f, 0.95f}, {0.12f, 0.14f, 0.18f, 0.95f}, 0, h));
    // The title bar: the window's rounded top, cut off where the bar ends.
    Shape bar = Subtract(outline, RoundedBox(-10, TitleBarHeight, w + 10, h + 10, 0));
    canvas.Fill(bar, VerticalGradient({0.30f, 0.50f, 0.82f, 1}, {0.14f, 0.29f, 0.55f, 1}, 0, TitleBarHeight));
    canvas.Fill(Segment(1, TitleBarHeight, w - 1, TitleBarHeight, 0.6f), Rgba{0.05f, 0.08f, 0.14f, 1});
    for (int dot = 0; dot < 3; ++dot) {
        float x = w - 34.0f + 10.0f * static_cast<float>(dot);
        canvas.Fill(Segment(x, 12, x, 12, 2.2f), Rgba{0.85f, 0.90f, 1.0f, 0.8f});
    }
    // A recessed panel that holds the widgets.
    Shape panel = RoundedBox(12, TitleBarHeight + 12, w - 12, h - 12, 6);
    canvas.Fill(panel, Rgba{0.07f, 0.08f, 0.11f, 0.55f});
    canvas.Fill(Subtract(panel, Grow(panel, -1)), Rgba{0.40f, 0.46f, 0.56f, 0.5f});
    canvas.Fill(Subtract(outline, Grow(outline, -1.5f)), Rgba{0.60f, 0.70f, 0.88f, 1});
    return Save(canvas, path);
}

// Frame `frame` of a check box state: the rim warms while the mouse rests on it.
bool MakeCheckBoxFrame(const std::string& path, bool checked, int frame) {
    const float s = CheckBoxSize;
    float t = static_cast<float>(frame) / static_cast<float>(CheckBoxFrames - 1);
    Canvas canvas(CheckBoxSize, CheckBoxSize);
    canvas.Fill(RoundedBox(0.5f, 0.5f, s - 0.5f, s - 0.5f, 5),
                Mix({0.55f, 0.62f, 0.76f, 1}, {1.0f, 0.85f, 0.35f, 1}, t));
    canvas.Fill(RoundedBox(2.5f, 2.5f, s - 2.5f, s - 2.5f, 3.5f),
                VerticalGradient({0.05f, 0.06f, 0.08f, 1},
                                 Mix({0.14f, 0.16f, 0.21f, 1}, {0.22f, 0.22f, 0.18f, 1}, t), 2, s - 2));
    if (checked) {
        Shape mark = Union(Segment(7, 14.5f, 12, 19.5f, 2.4f), Segment(12, 19.5f, 21, 8, 2.4f));
        canvas.Fill(mark, Mix({0.35f, 0.90f, 0.45f, 1}, {0.70f, 1.0f, 0.70f, 1}, t));
    }
    return Save(canvas, path);
}

bool MakeCheckBox(const std::string& prefix, bool checked) {
    for (int frame = 0; frame < CheckBoxFrames; ++frame) {
        if (!MakeCheckBoxFrame(prefix + std::to_string(frame + 1) + ".png", checked, frame)) {
            return false;
        }
    }
    return true;
}

// A four-way arrow: the pointer is drawn with its top-left corner at the mouse, so the arrow sits
// close to that corner.
bool MakeMovePointer(const std::string& path) {
    Shape arrow = Union(Segment(4, 12, 20, 12, 1.4f), Segment(12, 4, 12, 20, 1.4f));
    arrow = Union(arrow, Polygon({12, 1, 16.5f, 6.5f, 7.5f, 6.5f}));
    arrow = Union(arrow, Polygon({12, 23, 7.5f, 17.5f, 16.5f, 17.5f}));
    arrow = Union(arrow, Polygon({1, 12, 6.5f, 7.5f, 6.5f, 16.5f}));
    arrow = Union(arrow, Polygon({23, 12, 17.5f, 16.5f, 17.5f, 7.5f}));
    Canvas canvas(32, 32);
    canvas.Fill(Grow(arrow, 1.5f), Rgba{0, 0, 0, 1});
    canvas.Fill(arrow, Rgba{1, 1, 1, 1});
    return Save(canvas, path);
}

bool MakeGuiArt(const std::string& dataDir) {
    const std::string gui = dataDir + "/GUI/";
    Shape check = Union(Segment(53, 20, 60, 27, 3), Segment(60, 27, 75, 12, 3));
    Shape cross = Union(Segment(55, 11, 73, 29, 3), Segment(73, 11, 55, 29, 3));
    return MakeWindow(gui + "window.png") &&
           MakeButton(gui + "button_ok", {0.16f, 0.52f, 0.28f, 1}, check, ButtonWidth, ButtonHeight) &&
           MakeButton(gui + "button_cancel", {0.62f, 0.18f, 0.18f, 1}, cross, ButtonWidth, ButtonHeight) &&
           MakeCheckBox(gui + "checkbox_off", false) && MakeCheckBox(gui + "checkbox_on", true) &&
           MakeMovePointer(gui + "pointer_move.png");
}

Registrar reg("gui", MakeGuiArt);

} // namespace

} // namespace assetgen
