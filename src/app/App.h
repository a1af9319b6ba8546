/// \class CApp
/// Abstract base of every application on the engine: constructing one starts the engine kernel and
/// every manager; the application supplies start-up, main loop and shutdown.
#pragma once

#include <cstdint>
#include <string>

class CEngine;

class CApp {
public:
    /// Starts the engine: the kernel and every manager exist before a derived constructor runs.
    CApp();
    /// Shuts the engine down (after the derived class has released its own resources).
    virtual ~CApp();

    /// One-time start-up work: video mode and resources.
    virtual void Init() = 0;
    /// The main loop; returns when the application is to end.
    virtual void Run() = 0;
    /// One pass of the main loop, for hosts that run the loop themselves (a browser page draws one
    /// frame per call); false when the application is to end. Without one of its own, the whole
    /// main loop runs in a single step.
    virtual bool Step();
    /// Work after the main loop, before destruction.
    virtual void Shutdown() = 0;
    /// Reserved hooks; nothing calls them.
    virtual void Reserved1() = 0;
    virtual void Reserved2() = 0; ///< Reserved hook; nothing calls it.

    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    int32_t width;     ///< Width of the window or screen the application asks for, in pixels.
    int32_t height;    ///< Height of the window or screen, in pixels.
    int32_t bpp;       ///< Bits per pixel of the video mode.
    std::string title; ///< The window caption.
    bool fullscreen;   ///< Full screen rather than a window.
    CEngine* engine;   ///< The kernel this application started; it lives as long as the application.
};
