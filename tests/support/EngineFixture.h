// A live engine for tests that need OpenGL: the kernel with every manager, a window of the viewer's
// size (not full screen) opened by InitVideo, and the working directory set to runtime/ so the built-in
// shaders and the engine font load as in the viewer. Each test starts on an engine no other test
// has touched, whether CTest runs it in a process of its own or the whole binary runs at once.
#pragma once

#include "app/Engine.h"
#include "support/ViewerFacts.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace korvel::test {

// RGBA pixels of the frame being drawn, in GL's order: (x, y) is the bottom-left corner and rows run
// bottom-up. The frame is the back buffer, or the framebuffer object SDL 2's SDL 1.2 layer has the
// program draw into (where asking for the back buffer is an error).
std::vector<uint8_t> ReadFrame(int x, int y, int width, int height);

class EngineTest : public ::testing::Test {
protected:
    // A test after the first in the same process gets a new engine, as the managers keep what a test
    // left in them (pointer images, held keys, windows, loaded fonts).
    EngineTest();

    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // RGBA of the back-buffer pixel at (x, y), window pixels with the origin top-left.
    static std::array<uint8_t, 4> Pixel(int x, int y);
    // The whole frame being drawn, RGBA rows bottom first.
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
    // The window's size.
    static constexpr int kWidth = kScreenWidth, kHeight = kScreenHeight;

private:
    // A test has run on `engine`.
    static bool engineUsed;
};

} // namespace korvel::test
