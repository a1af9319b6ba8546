// The kernel's start-up log, its registry and its shutdown, without a video mode.
#include "app/Engine.h"
#include "base/Registry.h"
#include "base/Version.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

using korvel::test::CaptureStream;

namespace {

bool AllSlots(bool filled) {
    const void* slots[] = {gGraphicsCore, gTextureManager, gWindowManager, gEventManager,  gUtils,
                           gSoundManager, gShaderManager,  gCamera,        gCameraManager, gFontManager};
    for (const void* slot : slots) {
        if ((slot != nullptr) != filled) {
            return false;
        }
    }
    return true;
}

TEST(Engine, StartUpLogCreatesEveryManagerInOrder) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(AllSlots(false));
    CaptureStream out(STDOUT_FILENO);
    CEngine* engine = new CEngine;
    std::string log = out.Text();
    EXPECT_TRUE(AllSlots(true));
    EXPECT_FALSE(engine->GetShowFPS());

    EXPECT_EQ(log, "\nKorvel Engine version " KORVEL_VERSION "...\n\n"
                   "Initialize Graphics Core...done\n"
                   "Initialize Texture Manager...done\n"
                   "Initialize Window Manager...done\n"
                   "Initialize Event Manager...done\n"
                   "Initialize Utils...done\n"
                   "Initialize Sound Manager...done\n"
                   "Initialize Shader Manager...done\n"
                   "Initialize the Camera...done\n"
                   "Initialize the Camera Manager...done\n"
                   "Initialize the Font Manager...done\n");

    delete engine;
    EXPECT_TRUE(AllSlots(false));
}

TEST(Engine, DestroyingTwiceFindsNothingLeft) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CaptureStream quiet(STDOUT_FILENO);
    CEngine engine;
    engine.DestroyManagers();
    EXPECT_TRUE(AllSlots(false));
    engine.DestroyManagers();
    EXPECT_TRUE(AllSlots(false));
}

TEST(Engine, ShowFpsFollowsTheSwitch) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    CaptureStream quiet(STDOUT_FILENO);
    CEngine engine;
    engine.SetShowFPS(true);
    EXPECT_TRUE(engine.GetShowFPS());
    engine.SetShowFPS(false);
    EXPECT_FALSE(engine.GetShowFPS());
}

} // namespace
