// The MD2 viewer's picture, described once: what is drawn, where, in which order, seen from where.
// The demo, the viewer tool, the frame benchmark and the tests of the viewer's picture all draw it
// from here, so a change to the picture reaches every one of them.
#pragma once

#include "graphics/GraphicsCore.h"

#include <functional>

class CEngine;
class CImage;
class CMD2Model;

class CViewerScene {
public:
    // The hobgoblin shown when no model is given, and its skin.
    static constexpr const char* kModelPath = "Data/Models/MD2/tris.md2";
    static constexpr const char* kSkinPath = "Data/Models/MD2/hobgoblin.bmp";
    static constexpr const char* kLogoPath = "Data/Logo/kvxlogo.png";
    static constexpr const char* kPointerPath = "Data/MousePointer.png";
    static constexpr const char* kCaption = "Korvel Engine - MD2 Demo";
    static constexpr int kWidth = CGraphicsCore::kDefaultWidth, kHeight = CGraphicsCore::kDefaultHeight;
    // The hobgoblin's placement: scaled, turned about the vertical axis, moved.
    static constexpr float kModelScale = 0.2f;
    static constexpr float kModelX = 0.0f, kModelY = 3.0f, kModelZ = -2.0f;
    static constexpr float kModelRotation = 70.0f;
    // Degrees the Left and Right keys turn the model by each time they act.
    static constexpr float kRotationStep = 5.0f;
    // The ground grid's height.
    static constexpr float kGridY = -1.9f;
    // Where the hobgoblin stands as placed: its first frame is 57.67 units tall, so at scale 0.2 it is
    // this tall, with its feet at kFeetY, centred about (kStandX, kStandZ). Other models are framed
    // to stand there as tall, where that fits in the view.
    static constexpr float kStandHeight = 57.67f * kModelScale;
    static constexpr float kFeetY = -1.8f;
    static constexpr float kStandX = 0.0f, kStandZ = -2.0f;
    // Loads the hobgoblin with its skin; false when the model file was refused.
    static bool LoadHobgoblin(CMD2Model& model);
    // Scales, turns and moves the model as the hobgoblin is placed.
    static void PlaceHobgoblin(CMD2Model& model);
    // Puts the logo's bottom-right corner 2 pixels inside the window's.
    static void PlaceLogo(CImage& logo);

    // Clears the frame to the background colour and resets the model-view matrix.
    static void Clear();
    // The two help lines at the top.
    static void PrintHelp();
    // The 3D part's start: blending off (the scene is opaque), the camera's view, the ground grid
    // (unless `grid` is false).
    static void DrawGround(bool grid = true);
    // The line at the bottom, printed after the kernel's update.
    static void PrintFooter();
    // The logo, in window pixels (the kernel's update left the model-view matrix so).
    static void DrawLogo(CImage& logo);
    // One whole frame as the viewer draws it, up to (not including) the swap: clear, help, ground,
    // the model (drawModel, or the model's own Render when null), the kernel's update, the footer,
    // then `overlay` (when given) and the logo. Without `grid` the ground grid is left out.
    static void DrawFrame(CEngine& engine, CMD2Model& model, CImage& logo,
                          const std::function<void()>& drawModel = nullptr,
                          const std::function<void()>& overlay = nullptr, bool grid = true);
};
