// The GUI example: one movable window with a background, two animated buttons, a check box and two
// static texts, over the engine's software pointer. It reports every click on standard output and
// ends on Escape or when its window is closed.
#pragma once

#include <korvel/app/App.h>

class GuiExample : public CApp {
public:
    GuiExample();
    ~GuiExample() override;

    // Opens the window, builds the GUI and prints the widgets' rectangles.
    void Init() override;
    // Draws frames until Escape or a quit request.
    void Run() override;
    void Shutdown() override;
    void Reserved1() override;
    void Reserved2() override;
};
