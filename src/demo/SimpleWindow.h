// The MD2 animation viewer: one animated model over a grid, help text, an FPS line, a logo and a
// software pointer; number keys choose the animation, the arrows turn the model, Escape ends it.
#pragma once

#include "app/App.h"

class CMD2Model;
class CImage;

class SimpleWindow : public CApp {
public:
    SimpleWindow();
    ~SimpleWindow() override;

    void Init() override;
    void Run() override;
    void Shutdown() override;
    void Reserved1() override;
    void Reserved2() override;

    // Draws one frame and swaps the buffers.
    void Render();

private:
    CMD2Model* model;
    CImage* logo;
};
