// Mouse position and motion come from SDL's mouse state, sampled once per update, on a real X window.
#include "support/EngineFixture.h"

#include "base/Registry.h"
#include "input/EventManager.h"

#include <SDL.h>

using korvel::test::EngineTest;

class MouseTest : public EngineTest {};

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
