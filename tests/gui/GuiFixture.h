// A live engine for GUI tests on a private X display, so that tests running side by side never move
// each other's mouse: frames of solid colours written by ImageMagick, the real mouse moved with
// SDL_WarpMouse, button events pushed into SDL's queue, and one engine frame at a time (event
// update, 2D overlay, the caller's drawing) judged from the back buffer. Image lists run on a fake
// clock.
#pragma once

#include "support/PrivateDisplayTest.h"
#include "support/TestSupport.h"
#include "support/XSession.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "gui/ImageList.h"
#include "input/EventManager.h"

#include <SDL.h>
#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace korvel::test {

class GuiTest : public PrivateDisplayTest {
protected:
    using Rgb = std::array<int, 3>;
    static constexpr Rgb Red{255, 0, 0}, Green{0, 255, 0}, Blue{0, 0, 255}, Yellow{255, 255, 0},
        Magenta{255, 0, 255}, Cyan{0, 255, 255}, White{255, 255, 255}, Black{0, 0, 0};

    void SetUp() override {
        clock() = 1000;
        CImageList::SetTickSource([] { return clock(); });
    }
    void TearDown() override { CImageList::SetTickSource(nullptr); }

    // The fake animation clock, in milliseconds.
    static uint32_t& clock() {
        static uint32_t ticks = 0;
        return ticks;
    }

    // Writes `prefix`1.png, `prefix`2.png ... one solid colour each, and returns the prefix.
    std::string Frames(const std::string& name, int w, int h, const std::vector<Rgb>& colors) {
        std::string prefix = dir.File(name);
        for (size_t i = 0; i < colors.size(); ++i) {
            Picture(prefix + std::to_string(i + 1) + ".png", w, h, colors[i]);
        }
        return prefix;
    }

    // Writes one solid-colour PNG and returns its path.
    std::string Picture(const std::string& path, int w, int h, Rgb c) {
        char color[32];
        std::snprintf(color, sizeof color, "rgb(%d,%d,%d)", c[0], c[1], c[2]);
        std::string command = "convert -size " + std::to_string(w) + "x" + std::to_string(h) +
                              " 'xc:" + color + "' PNG32:" + path;
        EXPECT_EQ(RunCommand(command), 0) << command;
        return path;
    }

    // One engine frame: the event manager takes `type`/`button` (0 for no event), then `draw` runs in
    // the 2D overlay on a cleared black frame.
    static void Frame(const std::function<void()>& draw, Uint8 type = 0, Uint8 button = SDL_BUTTON_LEFT) {
        SDL_Event drained;
        while (SDL_PollEvent(&drained)) {
        }
        if (type != 0) {
            SDL_Event e{};
            e.type = type;
            e.button.type = type;
            e.button.button = button;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            SDL_PushEvent(&e);
        }
        ClearFrame();
        gEventManager->Update();
        gGraphicsCore->Begin2D();
        glLoadIdentity();
        draw();
        gGraphicsCore->End2D();
    }

    static Rgb At(int x, int y) {
        auto p = Pixel(x, y);
        return {p[0], p[1], p[2]};
    }

    TempDir dir;
};

} // namespace korvel::test
