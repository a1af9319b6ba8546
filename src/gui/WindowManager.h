// Owns the GUI windows and updates and draws the visible ones every frame.
#pragma once

class CWindowManager {
public:
    CWindowManager();
    ~CWindowManager();

    // Updates and draws every visible window.
    void Update();
};
