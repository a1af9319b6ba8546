// Abstract base of every application on the engine: constructing one starts the engine kernel and
// every manager; the application supplies start-up, main loop and shutdown.
#pragma once

#include <cstdint>
#include <string>

class CEngine;

class CApp {
public:
    // Starts the engine: the kernel and every manager exist before a derived constructor runs.
    CApp();
    // Shuts the engine down (after the derived class has released its own resources).
    virtual ~CApp();

    // One-time start-up work: video mode and resources.
    virtual void Init() = 0;
    // The main loop; returns when the application is to end.
    virtual void Run() = 0;
    // One pass of the main loop, for hosts that run the loop themselves (a browser page draws one
    // frame per call); false when the application is to end. Without one of its own, the whole
    // main loop runs in a single step.
    virtual bool Step();
    // Work after the main loop, before destruction.
    virtual void Shutdown() = 0;
    // Reserved hooks; nothing calls them.
    virtual void Reserved1() = 0;
    virtual void Reserved2() = 0;

    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    int32_t width;
    int32_t height;
    int32_t bpp;
    std::string title;
    bool fullscreen;
    CEngine* engine;
};
