// A small game on the engine: a textured MD2 hobgoblin spinning on the spot before a row of smaller
// ones, each playing its own animation (all instances of one mesh, loaded once), a line of text, and
// a GUI button that ends it (so do Escape and closing the window).
#pragma once

#include <korvel/app/App.h>
#include <korvel/models/MD2Instance.h>

#include <cstdint>
#include <vector>

class SpinningGame : public CApp {
public:
    SpinningGame();
    ~SpinningGame() override;

    // Opens an 800x600 window and loads the model, places its crowd and adds the Quit button.
    void Init() override;
    // Draws frames until the Quit button, Escape or a quit request.
    void Run() override;
    void Shutdown() override {}
    void Reserved1() override {}
    void Reserved2() override {}

private:
    void Render(uint32_t elapsedMs);

    // The spinning hobgoblin first, then the row behind it.
    std::vector<CMD2Instance> crowd;
};
