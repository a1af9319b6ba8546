// What the module examples share: an 800 x 600 window, a frame loop that ends on Escape or a closed
// window, and a picture of the running example for the tests and docs/examples.md:
//   KORVEL_EXAMPLE_SCREENSHOT=shot.png [KORVEL_EXAMPLE_FRAMES=N] models-example
// draws N frames (20 by default) on a clock of 25 frames a second, saves the last as a PNG and ends,
// so the same program always gives the same picture.
#pragma once

#include <korvel/Korvel.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace example {

const int Width = 800;
const int Height = 600;

// The time every example and model animation sees while a screenshot is being taken.
inline uint32_t fixedTicks = 0;
inline bool screenshotFailed = false;

// True in the frame whose event is a press of `key` (held keys repeat nothing).
inline bool Pressed(int key) {
    return gEventManager->HasEvent() && gEventManager->IsEvent(EventKeyDown) &&
           gEventManager->GetEvent().key.keysym.sym == key;
}

// Clears the frame and looks at a model standing on the ground grid from `distance` in front of it, a
// little above its middle.
inline void Stage(float distance) {
    glClearColor(0.1f, 0.12f, 0.2f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gCamera->Place(0.0f, 6.0f, -distance, 0.0f, 3.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    gCamera->Look();
    gUtils->DrawGrid(0.0f, 0.0f, 0.0f);
}

// In a run for a picture, saves the back buffer of a `width` x `height` window once `frame` (counted
// from 1) is the last one; true when it did and the run ends.
inline bool ScreenshotDone(int frame, int width, int height) {
    const char* screenshot = std::getenv("KORVEL_EXAMPLE_SCREENSHOT");
    const char* frames = std::getenv("KORVEL_EXAMPLE_FRAMES");
    if (!screenshot || frame < (frames ? std::atoi(frames) : 20)) {
        return false;
    }
    std::string error;
    screenshotFailed = !CScreenshot::SaveBackBuffer(screenshot, width, height, &error);
    if (screenshotFailed) {
        std::fprintf(stderr, "%s: %s\n", screenshot, error.c_str());
    }
    return true;
}

// Calls `frame` with the milliseconds since the loop began, lets the engine take the frame's event and
// draw its overlay, and shows the frame; until Escape, a quit request or the screenshot. One Step is
// one frame, so a browser page can ask for the frames one at a time.
class FrameLoop {
public:
    explicit FrameLoop(CEngine& engine)
        : engine(engine), screenshot(std::getenv("KORVEL_EXAMPLE_SCREENSHOT") != nullptr), start(SDL_GetTicks()) {
        if (screenshot) {
            CMD2Instance::SetTickSource([] { return fixedTicks; });
        }
    }

    // Draws one frame; false when the loop has ended.
    bool Step(const std::function<void(uint32_t ms)>& frame) {
        ++n;
        frame(screenshot ? fixedTicks : SDL_GetTicks() - start);
        engine.Update();
        if (ScreenshotDone(n, Width, Height)) {
            return false;
        }
        SDL_GL_SwapBuffers();
        fixedTicks += 40;
        return !gEventManager->IsKeyDown(SDLK_ESCAPE) && !gEventManager->IsEvent(EventQuit);
    }

private:
    CEngine& engine;
    const bool screenshot;
    const uint32_t start;
    int n = 0;
};

inline void Loop(CEngine& engine, const std::function<void(uint32_t ms)>& frame) {
    FrameLoop loop(engine);
    while (loop.Step(frame)) {
    }
}

// An example application: Init opens the window and calls Load, Run calls Frame once per frame.
class App : public CApp {
public:
    explicit App(const char* caption) { title = caption; }
    void Init() override {
        engine->InitVideo(Width, Height, 24, false, false);
        gGraphicsCore->SetCaption(title.c_str());
        Load();
    }
    void Run() override {
        while (Step()) {
        }
    }
    bool Step() override {
        if (!loop) {
            loop = std::make_unique<FrameLoop>(*engine);
        }
        return loop->Step([this](uint32_t ms) { Frame(ms); });
    }
    void Shutdown() override {}
    void Reserved1() override {}
    void Reserved2() override {}

private:
    std::unique_ptr<FrameLoop> loop;

protected:
    // Loads what the example shows, once the window and GL context exist.
    virtual void Load() = 0;
    // Draws one frame's 3D scene and anything else before the engine's overlay.
    virtual void Frame(uint32_t ms) = 0;
};

// The whole of an example's main: the engine's data folder (the installed one when the working
// directory has none), then the application; exit status 1 when its screenshot was not saved.
inline int Main(const std::function<CApp*()>& make) {
    EnterDataFolder(KORVEL_DATA_DIR);
    return RunApp(make, [](CApp&) { return screenshotFailed ? 1 : 0; });
}

} // namespace example
