#include "support/EngineFixture.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "camera/Camera.h"
#include "graphics/GraphicsCore.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace korvel::test {

CEngine* EngineTest::engine = nullptr;
bool EngineTest::engineUsed = false;

EngineTest::EngineTest() {
    // A test may also have ended the engine itself (to check the shutdown).
    if (engineUsed || !engine) {
        TearDownTestSuite();
        SetUpTestSuite();
    }
    engineUsed = true;
    // The one piece of engine state that outlives the managers: every camera's pitch, 0 when a
    // process starts.
    CCamera::pitch = 0.0f;
}

void EngineTest::SetUpTestSuite() {
    if (engine) {
        return;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (chdir(KORVEL_RUNTIME_DIR) != 0) {
        FAIL() << "cannot enter " << KORVEL_RUNTIME_DIR;
    }
    engine = new CEngine;
    // On a busy machine the X server can refuse a connection for a moment (the connect answers
    // EAGAIN); the video start-up then throws its text. Give it a few tries before failing.
    std::string failure;
    for (int attempt = 0; attempt < 8; ++attempt) {
        try {
            engine->InitVideo(1024, 768, 24, false, false);
            return;
        } catch (const std::string& message) {
            failure = message;
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            SDL_Delay(250u << (attempt < 3 ? attempt : 3));
        }
    }
    FAIL() << failure;
}

void EngineTest::TearDownTestSuite() {
    delete engine;
    engine = nullptr;
    engineUsed = false;
}

std::vector<uint8_t> ReadFrame(int x, int y, int width, int height) {
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::array<uint8_t, 4> EngineTest::Pixel(int x, int y) {
    const std::vector<uint8_t> read =
        korvel::test::ReadFrame(x, static_cast<int>(gGraphicsCore->height) - 1 - y, 1, 1);
    return {read[0], read[1], read[2], read[3]};
}

std::vector<uint8_t> EngineTest::ReadFrame() {
    return korvel::test::ReadFrame(0, 0, static_cast<int>(gGraphicsCore->width),
                                   static_cast<int>(gGraphicsCore->height));
}

int EngineTest::DifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size()) {
        return static_cast<int>(std::max(a.size(), b.size()) / 4);
    }
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 4) {
        count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    }
    return count;
}

void EngineTest::MoveMouse(int x, int y) {
    SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
    for (int i = 0; i < 200; ++i) {
        SDL_PumpEvents();
        int mx = -1, my = -1;
        SDL_GetMouseState(&mx, &my);
        if (mx == x && my == y) {
            return;
        }
        SDL_Delay(5);
    }
    ADD_FAILURE() << "the mouse did not reach " << x << ", " << y;
}

void EngineTest::ClearFrame() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gGraphicsCore->SetPerspective(static_cast<int>(gGraphicsCore->width),
                                  static_cast<int>(gGraphicsCore->height));
}

bool EngineTest::WaitForPointer(int x, int y) {
    for (int i = 0; i < 200; ++i) {
        int mx = -1, my = -1;
        SDL_PumpEvents();
        SDL_GetMouseState(&mx, &my);
        if (mx == x && my == y) {
            return true;
        }
        SDL_Delay(10);
    }
    return false;
}

bool EngineTest::WarpPointer(int x, int y) {
    SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
    return WaitForPointer(x, y);
}

} // namespace korvel::test
