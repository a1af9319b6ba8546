// The viewer end to end, as far as text goes: the shader and font lines of its start-up log, the FPS
// line and help text on screen, and the end of the process when the font image is missing.
#include "support/TestSupport.h"
#include "support/ViewerFacts.h"
#include "support/XSession.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace korvel::test;

namespace {

// How many pixels of a screenshot region are clearly brighter than the viewer's dark grey clear.
int BrightPixels(const std::string& png, int x, int y, int w, int h) {
    std::string out;
    std::string command = "convert " + png + " -crop " + std::to_string(w) + "x" + std::to_string(h) + "+" +
                          std::to_string(x) + "+" + std::to_string(y) +
                          " +repage -colorspace Gray -threshold 60% -format '%[fx:mean*w*h]' info:";
    if (RunCommand(command, &out) != 0) {
        return -1;
    }
    return static_cast<int>(std::stod(out) + 0.5);
}

} // namespace

TEST(ViewerText, ShadersThenFontInTheLogAndTextOnScreen) {
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    ProgramRun viewer(display, kViewer, {}, KORVEL_RUNTIME_DIR);
    ASSERT_TRUE(viewer.WaitForWindow("Current FPS: ")) << viewer.Stdout() << viewer.Stderr();
    TempDir dir;
    const std::string shot = dir.File("viewer.png");
    // The window can be up a moment before its first frame reaches the screen (SDL 2's layer draws
    // into an offscreen buffer first): look again until the help text is there, for a few seconds.
    for (int look = 0; look < 25; ++look) {
        ASSERT_TRUE(display.Screenshot(shot));
        if (BrightPixels(shot, 1, 50, 400, 14) > 200) {
            break;
        }
        usleep(200 * 1000);
    }
    EXPECT_EQ(viewer.KeyUntilExit("Escape"), 0);

    const std::string log = viewer.Stdout();
    const size_t version = log.find("Detected OpenGL version: ");
    ASSERT_NE(version, std::string::npos) << log;
    const std::string expected =
        "\n\n-------------========= Loading built in shaders ==========------------\n\n"
        "Loading simple texture shader...\n"
        "Loading simple color shader...\n"
        "Loading heightmap texture shader...\n"
        "Loading Directional Per Pixel Diffuse lightning shader...\n"
        "Loading Directional Per Vertex Diffuse lightning shader...\n"
        "Loading Point Per Pixel lightning shader...\n"
        "Loading Spot Per Pixel lightning shader...\n"
        "Loading Toon shader...\n"
        "Loading vertex diffuse light with texture shader...\n"
        "Loading pixel diffuse light with texture shader...\n"
        "\nLoading Font: Data/Font/font.tga\n";
    EXPECT_EQ(log.compare(log.find('\n', version), expected.size(), expected), 0) << log;
    EXPECT_EQ(viewer.Stderr().find("Shader "), std::string::npos) << viewer.Stderr();

    // "Current FPS N" at the top-left, the two help lines at y 50 and 75, the exit hint at (20, 740).
    EXPECT_GT(BrightPixels(shot, 1, 1, 160, 14), 60);
    EXPECT_GT(BrightPixels(shot, 1, 50, 400, 14), 200);
    EXPECT_GT(BrightPixels(shot, 1, 75, 400, 14), 200);
    EXPECT_GT(BrightPixels(shot, 20, 740, 200, 14), 60);
    EXPECT_EQ(BrightPixels(shot, 1, 20, 400, 24), 0) << "nothing between the FPS line and the help text";
}

TEST(ViewerText, AMissingFontImageEndsTheViewerWithStatusOneAndSaysWhy) {
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    TempDir dir;
    std::filesystem::create_directory_symlink(std::string(KORVEL_RUNTIME_DIR) + "/shaders",
                                              dir.File("shaders"));
    ProgramRun viewer(display, kViewer, {}, dir.Path());
    EXPECT_EQ(viewer.Wait(), 1);
    const std::string why =
        "Cannot load the font Data/Font/font.tga (working directory " + dir.Path() + ")\n";
    EXPECT_NE(viewer.Stderr().find(why), std::string::npos) << viewer.Stderr();
    EXPECT_NE(viewer.Stdout().find("Loading Font: Data/Font/font.tga\n"
                                   "Could not open texture file: Data/Font/font.tga\n"),
              std::string::npos)
        << viewer.Stdout();
}
