// The MD2 animation viewer: one animated model over a grid, help text, an FPS line, a logo and a
// software pointer; number keys choose the animation, the arrows turn the model, Escape ends it.
// Given a model on the command line it frames it, finds its skin, and offers the tool's keys, the
// mouse orbit, an information overlay and screenshots.
#pragma once

#include "app/App.h"
#include "demo/ViewerOptions.h"
#include "models/Vec3.h"

#include <SDL.h>
#include <string>

class CMD2Model;
class CImage;

class SimpleWindow : public CApp {
public:
    // Without options: the hobgoblin exactly as the viewer always showed it.
    explicit SimpleWindow(const ViewerOptions& options = ViewerOptions());
    ~SimpleWindow() override;

    void Init() override;
    void Run() override;
    // One frame and at most one event; false when the viewer is to end.
    bool Step() override;
    void Shutdown() override;
    void Reserved1() override;
    void Reserved2() override;

    // Draws one frame and swaps the buffers.
    void Render();
    // 0, or 1 when a model, an animation or a screenshot asked for on the command line failed.
    int ExitStatus() const { return exitStatus; }

private:
    // Loads the model named on the command line and its skin; false when the model does not load.
    bool LoadGivenModel();
    // Says on standard error that no skin was found beside the model, naming what was looked for.
    void ReportMissingSkin();
    // Selects the --animation choice; false (with one line on standard error) when it names none.
    bool StartAnimation();
    // Scales and places a given model so that its first frame stands on the grid as tall as the
    // hobgoblin, centred where the hobgoblin stands, at the current rotation.
    void PlaceModel();
    // Page Up/Down, Space, comma, period, W, I and F12, and the mouse wheel.
    void HandleToolEvent(const SDL_Event& event);
    // Orbits the camera around the model while the left button drags.
    void HandleDrag();
    // Puts the camera on its orbit; the first call takes the orbit from where the camera is.
    void Orbit(float yawStep, float pitchStep, float zoom);
    void DrawOverlay();
    // Saves the back buffer if a screenshot is due in this frame.
    void SaveDueScreenshot();

    CMD2Model* model;
    CImage* logo;
    ViewerOptions options;
    int exitStatus;
    bool failed;
    bool wireframe;
    bool overlay;
    // A given model's first-frame box: scale, lowest point and centre in its own units.
    bool framed;
    float frameScale, frameBottom, frameCentreX, frameCentreZ;
    bool orbiting;
    // A left-button drag in progress, and the pointer position the orbit has followed it to.
    bool dragging;
    int dragX, dragY;
    float orbitYaw, orbitPitch, orbitRadius;
    Vec3 orbitTarget;
    int framesDrawn;
    std::string dueScreenshot;
};
