// A live engine for tests that need OpenGL: the kernel with every manager, a 1024x768 window (not
// full screen) opened by InitVideo, and the working directory set to runtime/ so the built-in
// shaders and the engine font load as in the viewer. One engine per test process.
#pragma once

#include "app/Engine.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace korvel::test {

class EngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // RGBA of the back-buffer pixel at (x, y), window pixels with the origin top-left.
    static std::array<uint8_t, 4> Pixel(int x, int y);
    // The whole back buffer, RGBA rows bottom first.
    static std::vector<uint8_t> ReadFrame();
    // Pixels whose colour differs between two frames read by ReadFrame.
    static int DifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
    // Moves the X pointer with SDL_WarpMouse and waits until SDL's mouse state shows it there.
    static void MoveMouse(int x, int y);
    // Clears colour and depth to black and resets both matrices to the engine's 3D start state.
    static void ClearFrame();
    // Waits (up to two seconds) until SDL reports the mouse at (x, y); false if it never arrives.
    static bool WaitForPointer(int x, int y);
    // Moves the real pointer with SDL_WarpMouse and waits for it, as above.
    static bool WarpPointer(int x, int y);

    static CEngine* engine;
};

} // namespace korvel::test
