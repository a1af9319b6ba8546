// The event manager with real SDL events pushed into SDL's queue (SDL's dummy video driver, so no X
// server adds events of its own).
#include "input/EventManager.h"

#include <SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class EventManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_NE(SDL_SetVideoMode(64, 64, 0, SDL_SWSURFACE), nullptr) << SDL_GetError();
        SDL_Event drained;
        while (SDL_PollEvent(&drained)) {
        }
    }
    void TearDown() override { SDL_Quit(); }

    static void PushKey(Uint8 type, SDLKey key) {
        SDL_Event e{};
        e.type = type;
        e.key.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = key;
        ASSERT_EQ(SDL_PushEvent(&e), 0);
    }
    static void PushButton(Uint8 type, Uint8 button) {
        SDL_Event e{};
        e.type = type;
        e.button.type = type;
        e.button.button = button;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        ASSERT_EQ(SDL_PushEvent(&e), 0);
    }

    CEventManager events;
};

TEST_F(EventManagerTest, StartsEmpty) {
    EXPECT_FALSE(events.HasEvent());
    EXPECT_EQ(events.GetClickedWidget(), -1);
    EXPECT_EQ(events.GetEvent().type, SDL_NOEVENT);
    for (int key = 0; key < CEventManager::KeyCount; ++key) {
        ASSERT_FALSE(events.IsKeyDown(key)) << key;
    }
}

TEST_F(EventManagerTest, KeyDownIsRedispatchedInFramesWithoutEvents) {
    PushKey(SDL_KEYDOWN, SDLK_3);
    events.Update();
    EXPECT_TRUE(events.HasEvent());
    EXPECT_TRUE(events.IsEvent(EventKeyDown));
    EXPECT_TRUE(events.IsKeyDown(SDLK_3));

    // Nothing new: the buffered key-down is dispatched again; the key stays held.
    events.Update();
    EXPECT_FALSE(events.HasEvent());
    EXPECT_TRUE(events.IsEvent(EventKeyDown));
    EXPECT_TRUE(events.IsKeyDown(SDLK_3));
}

TEST_F(EventManagerTest, PressAndReleaseBetweenFramesHoldTheKeyForExactlyOneUpdate) {
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    PushKey(SDL_KEYUP, SDLK_ESCAPE);
    events.Update();
    EXPECT_TRUE(events.IsKeyDown(SDLK_ESCAPE));
    events.Update();
    EXPECT_TRUE(events.HasEvent());
    EXPECT_FALSE(events.IsKeyDown(SDLK_ESCAPE));
    EXPECT_TRUE(events.IsEvent(EventNone)) << "a key release carries no event code";
    events.Update();
    EXPECT_FALSE(events.IsKeyDown(SDLK_ESCAPE));
}

TEST_F(EventManagerTest, OnlyOneEventLeavesTheQueuePerUpdate) {
    PushKey(SDL_KEYDOWN, SDLK_2);
    PushKey(SDL_KEYDOWN, SDLK_7);
    events.Update();
    EXPECT_TRUE(events.IsKeyDown(SDLK_2));
    EXPECT_FALSE(events.IsKeyDown(SDLK_7));
    events.Update();
    EXPECT_TRUE(events.IsKeyDown(SDLK_2));
    EXPECT_TRUE(events.IsKeyDown(SDLK_7));
}

TEST_F(EventManagerTest, MouseButtonsLeftAndRightSetCodesMiddleChangesNothing) {
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    events.Update();
    EXPECT_TRUE(events.IsEvent(EventLeftDown));
    EXPECT_TRUE(events.IsLeftButtonDown());

    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
    events.Update();
    EXPECT_TRUE(events.HasEvent());
    EXPECT_TRUE(events.IsEvent(EventNone));
    EXPECT_TRUE(events.IsLeftButtonDown());
    EXPECT_FALSE(events.IsRightButtonDown());

    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    events.Update();
    EXPECT_TRUE(events.IsEvent(EventRightDown));
    EXPECT_TRUE(events.IsRightButtonDown());

    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    events.Update();
    EXPECT_TRUE(events.IsEvent(EventRightUp));
    EXPECT_FALSE(events.IsRightButtonDown());

    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    events.Update();
    EXPECT_TRUE(events.IsEvent(EventLeftUp));
    EXPECT_FALSE(events.IsLeftButtonDown());
    // The stale button-up comes back in the next empty frame.
    events.Update();
    EXPECT_FALSE(events.HasEvent());
    EXPECT_TRUE(events.IsEvent(EventLeftUp));
}

TEST_F(EventManagerTest, QuitRequestSetsItsCode) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    events.Update();
    EXPECT_TRUE(events.IsEvent(EventQuit));
    EXPECT_EQ(events.GetEvent().type, SDL_QUIT);
}

TEST_F(EventManagerTest, ClickedWidgetIsResetAtTheStartOfEveryUpdate) {
    events.SetClickedWidget(7);
    EXPECT_EQ(events.GetClickedWidget(), 7);
    events.Update();
    EXPECT_EQ(events.GetClickedWidget(), -1);
}

TEST_F(EventManagerTest, KeySymbolsOutsideTheTableAreNeverHeld) {
    EXPECT_FALSE(events.IsKeyDown(-1));
    EXPECT_FALSE(events.IsKeyDown(400));
    EXPECT_FALSE(events.IsKeyDown(1 << 20));
}

} // namespace
