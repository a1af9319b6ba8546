// The viewer binary on its own virtual display: its start-up log, and the two ways a user ends it.
#include "base/Version.h"
#include "support/ViewerFacts.h"
#include "support/XSession.h"

#include <gtest/gtest.h>

using namespace korvel::test;

namespace {

TEST(Viewer, StartUpLogThenEscapeEndsWithStatusZero) {
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    ProgramRun viewer(display, kViewer, {}, KORVEL_RUNTIME_DIR);
    ASSERT_TRUE(viewer.WaitForWindow(kViewerTitle)) << viewer.Stdout() << viewer.Stderr();
    ASSERT_TRUE(viewer.WaitForOutput("Detected OpenGL version: "));
    EXPECT_EQ(viewer.KeyUntilExit("Escape"), 0) << viewer.Stderr();

    std::string log = viewer.Stdout();
    const std::string start = "\nKorvel Engine version " KORVEL_VERSION "...\n\n"
                              "Initialize Graphics Core...done\n"
                              "Initialize Texture Manager...done\n"
                              "Initialize Window Manager...done\n"
                              "Initialize Event Manager...done\n"
                              "Initialize Utils...done\n";
    EXPECT_EQ(log.rfind(start, 0), 0u) << log;
    const std::string managers = "Initialize Sound Manager...done\n"
                                 "Initialize Shader Manager...done\n"
                                 "Initialize the Camera...done\n"
                                 "Initialize the Camera Manager...done\n"
                                 "Initialize the Font Manager...done\n"
                                 "\nDetected Video Card Vendor: ";
    EXPECT_NE(log.find(managers), std::string::npos) << log;
    EXPECT_NE(log.find("\nDetected Renderer: "), std::string::npos);
}

TEST(Viewer, ClosingTheWindowEndsWithStatusZero) {
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    ProgramRun viewer(display, kViewer, {}, KORVEL_RUNTIME_DIR);
    ASSERT_TRUE(viewer.WaitForWindow(kViewerTitle)) << viewer.Stdout() << viewer.Stderr();
    viewer.Close(kViewerTitle);
    EXPECT_EQ(viewer.Wait(), 0) << viewer.Stderr();
}

TEST(Viewer, CaptionCarriesTheFrameRate) {
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    ProgramRun viewer(display, kViewer, {}, KORVEL_RUNTIME_DIR);
    ASSERT_TRUE(viewer.WaitForWindow(kViewerRunning)) << viewer.Stdout() << viewer.Stderr();
    std::string name;
    display.Run("xdotool search --name 'Current FPS' getwindowname", &name);
    int fps = std::atoi(name.c_str() + name.find("FPS: ") + 5);
    EXPECT_GT(fps, 0) << name;
    EXPECT_EQ(viewer.KeyUntilExit("Escape"), 0);
}

} // namespace
