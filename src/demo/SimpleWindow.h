// The MD2 animation demo: one animated model over a grid, help text, an FPS line, a logo and a
// software pointer; number keys choose the animation, the arrows turn the model, Escape ends it.
// The viewer tool (viewer/Viewer.h) builds on it.
#pragma once

#include "app/App.h"

class CMD2Model;
class CImage;

class SimpleWindow : public CApp {
public:
    SimpleWindow();
    ~SimpleWindow() override;

    // Full-screen video, pointer, caption, the hobgoblin and the logo.
    void Init() override;
    // Runs frames until one of them ends the program.
    void Run() override;
    // A host that runs the loop itself (a browser page) runs it frame by frame.
    bool Step() override { return RunFrame(); }
    void Shutdown() override;
    void Reserved1() override;
    void Reserved2() override;

    // One pass of the main loop: draws a frame, then reacts to the event that frame took. False when
    // the program is to end.
    virtual bool RunFrame();
    // Draws one frame and swaps the buffers.
    virtual void Render();

protected:
    // The video mode (full screen or a window), the pointer (drawn by the engine unless asked not
    // to), the FPS display and the caption.
    void OpenWindow(bool fullScreen, bool softwarePointer);
    // Creates the model and writes the "Loading MD2 file..." line that its loading messages continue.
    void CreateModel();
    // Closes the model's loading line with "done.".
    static void ModelLoaded();
    // Loads the logo and puts it in its corner.
    void LoadLogo();

    CMD2Model* model;
    CImage* logo;
};
