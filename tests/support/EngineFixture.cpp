#include "support/EngineFixture.h"

#include "app/Registry.h"
#include "graphics/GL.h"
#include "graphics/GraphicsCore.h"

#include <cstdlib>
#include <unistd.h>

namespace korvel::test {

CEngine* EngineTest::engine = nullptr;

void EngineTest::SetUpTestSuite() {
    if (engine) {
        return;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (chdir(KORVEL_RUNTIME_DIR) != 0) {
        FAIL() << "cannot enter " << KORVEL_RUNTIME_DIR;
    }
    engine = new CEngine;
    engine->InitVideo(1024, 768, 24, false, false);
}

void EngineTest::TearDownTestSuite() {
    delete engine;
    engine = nullptr;
}

std::array<uint8_t, 4> EngineTest::Pixel(int x, int y) {
    std::array<uint8_t, 4> rgba{};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, static_cast<GLint>(gGraphicsCore->height) - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    return rgba;
}

void EngineTest::ClearFrame() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gGraphicsCore->SetPerspective(static_cast<int>(gGraphicsCore->width),
                                  static_cast<int>(gGraphicsCore->height));
}

} // namespace korvel::test
