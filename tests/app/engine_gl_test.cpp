// The kernel's per-frame update and its video start-up on a real GL context.
#include "support/EngineFixture.h"
#include "support/TestSupport.h"

#include "app/Engine.h"
#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"

#include <SDL.h>
#include <cstdlib>
#include <unistd.h>

using korvel::test::CaptureStream;
using korvel::test::EngineTest;

class EngineUpdateTest : public EngineTest {};

TEST_F(EngineUpdateTest, WithoutShowFpsNothingIsMeasuredAndTheCaptionStays) {
    gGraphicsCore->SetCaption("Plain");
    engine->SetShowFPS(false);
    SDL_Delay(1100);
    for (int i = 0; i < 3; ++i) {
        engine->Update();
    }
    EXPECT_EQ(gUtils->GetFrameTime(), 0.0f);
    EXPECT_EQ(gUtils->GetFPS(), 0);
    char* title = nullptr;
    SDL_WM_GetCaption(&title, nullptr);
    EXPECT_STREQ(title, "Plain");
}

TEST_F(EngineUpdateTest, WithShowFpsTheCaptionCarriesTheRate) {
    gGraphicsCore->SetCaption("Korvel Engine - MD2 Demo");
    engine->SetShowFPS(true);
    // More than a second has passed since SDL started, so the first measurement reports at once.
    SDL_Delay(1100);
    engine->Update();
    char* title = nullptr;
    SDL_WM_GetCaption(&title, nullptr);
    EXPECT_STREQ(title, "Korvel Engine - MD2 Demo Current FPS: 1");
    EXPECT_EQ(gGraphicsCore->GetCaption(), "Korvel Engine - MD2 Demo") << "the suffix never accumulates";
    engine->SetShowFPS(false);
}

TEST_F(EngineUpdateTest, UpdateLeavesTheProjectionStackAsItFoundIt) {
    gGraphicsCore->SetPerspective(1024, 768);
    for (int i = 0; i < 5; ++i) {
        engine->Update();
    }
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    while (glGetError() != GL_NO_ERROR) {
    }
}

TEST(EngineVideo, TwoDimensionalModeKeepsTheOverlayAndABalancedStack) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(chdir(KORVEL_RUNTIME_DIR), 0);
    CEngine engine;
    engine.InitVideo(640, 480, 24, false, true);
    EXPECT_FALSE(gGraphicsCore->mode3D);
    GLint before = 0, after = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &before);
    for (int i = 0; i < 10; ++i) {
        engine.Update();
    }
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &after);
    EXPECT_EQ(after, before);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0], 2.0f / 640, 1e-7f) << "the overlay projection stays in place";
    EXPECT_NEAR(projection[5], -2.0f / 480, 1e-7f);
}

TEST(EngineVideo, StartUpReportsTheDriverAfterTheManagers) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(chdir(KORVEL_RUNTIME_DIR), 0);
    CaptureStream out(STDOUT_FILENO);
    CEngine engine;
    engine.InitVideo(640, 480, 24, false, false);
    std::string log = out.Text();
    std::string driver = std::string("Initialize the Font Manager...done\n\nDetected Video Card Vendor: ") +
                         gGraphicsCore->GetVendor() + "\nDetected Renderer: " + gGraphicsCore->GetRenderer() +
                         "\nDetected OpenGL version: " + gGraphicsCore->GetVersion() + "\n";
    EXPECT_NE(log.find(driver), std::string::npos) << log;
}

TEST(EngineVideo, MissingVideoInfoEndsStartUpWithAMessage) {
    // Without SDL's video subsystem there is no video info to complete the flags.
    CGraphicsCore core;
    CaptureStream err(STDERR_FILENO);
    bool threw = false;
    try {
        core.PrepareVideoMode(false);
    } catch (const std::string& message) {
        threw = true;
        EXPECT_EQ(message.rfind("Error: SDL Could not get Video Info", 0), 0u) << message;
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(err.Text().rfind("Failed getting Video Info : ", 0), 0u);
}
