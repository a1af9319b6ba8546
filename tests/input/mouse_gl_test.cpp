// Mouse position and motion come from SDL's mouse state, sampled once per update, on a real X window.
#include "support/EngineFixture.h"

#include "app/Registry.h"
#include "input/EventManager.h"

#include <SDL.h>

using korvel::test::EngineTest;

class MouseTest : public EngineTest {};

namespace {

// Moves the X pointer and lets SDL read the resulting motion from the X server.
void MoveMouse(int x, int y) {
    SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
    for (int i = 0; i < 20; ++i) {
        SDL_PumpEvents();
        int mx = -1, my = -1;
        SDL_GetMouseState(&mx, &my);
        if (mx == x && my == y) {
            return;
        }
        SDL_Delay(5);
    }
}

} // namespace

TEST_F(MouseTest, DeltaIsTheMovementBetweenTwoUpdates) {
    MoveMouse(100, 200);
    gEventManager->Update();
    EXPECT_EQ(gEventManager->GetMouseX(), 100);
    EXPECT_EQ(gEventManager->GetMouseY(), 200);

    MoveMouse(130, 190);
    gEventManager->Update();
    EXPECT_EQ(gEventManager->GetMouseDeltaX(), 30);
    EXPECT_EQ(gEventManager->GetMouseDeltaY(), -10);
    EXPECT_TRUE(gEventManager->MouseMoved());

    gEventManager->Update();
    EXPECT_EQ(gEventManager->GetMouseDeltaX(), 0);
    EXPECT_EQ(gEventManager->GetMouseDeltaY(), 0);
    EXPECT_FALSE(gEventManager->MouseMoved());
}
