// The viewer as a tool for the user's own MD2 files, driven end to end: a model and a PCX skin made
// here, kept outside runtime/, the skin found through the name inside the model, the thumbnail of
// --screenshot, Page Down past animation 9, numbered F12 screenshots, --window, and wrong command lines.
#include "support/Md2Writer.h"
#include "support/TestSupport.h"
#include "support/ViewerFacts.h"
#include "support/XSession.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace korvel::test;

using korvel::test::IsRed;
namespace {

const int kAnimations = 21;
// The animation whose frames float the column well above the grid.
const int kLifted = 15;

// A square column 40 x 40 x 200 units in the file's own units, two frames for each of 21 animations
// (aa, ab, ..., au); the frames of animation 15 are lifted by 150 units. Its skin table names a
// game path whose base name is column.pcx. A climbing column has three frames in animation 0, each
// standing `climb` units higher than the one before.
Md2Writer Column(float climb = 0.0f) {
    Md2Writer writer;
    writer.skinWidth = writer.skinHeight = 64;
    writer.skins = {"models/monsters/column/column.pcx"};
    writer.texCoords = {{{0, 0}}, {{63, 0}}, {{0, 63}}};
    // Corner c has x from bit 0, y from bit 1 and z (up) from bit 2.
    const int quads[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1},
                             {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    for (const auto& q : quads) {
        for (int half = 0; half < 2; ++half) {
            int16_t a = static_cast<int16_t>(q[0]), b = static_cast<int16_t>(q[1 + half]);
            int16_t c = static_cast<int16_t>(q[2 + half]);
            writer.triangles.push_back({{{a, b, c}}, {{0, 1, 2}}});
        }
    }
    for (int k = 0; k < kAnimations; ++k) {
        for (int n = 1; n <= (k == 0 && climb > 0.0f ? 3 : 2); ++n) {
            Md2Frame frame;
            frame.name = std::string("a") + static_cast<char>('a' + k) + std::to_string(n);
            frame.translate = {{0.0f, 0.0f, k == kLifted ? 150.0f : k == 0 ? climb * (n - 1) : 0.0f}};
            for (int c = 0; c < 8; ++c) {
                frame.vertices.push_back(
                    {{static_cast<uint8_t>(c & 1 ? 40 : 0), static_cast<uint8_t>(c & 2 ? 40 : 0),
                      static_cast<uint8_t>(c & 4 ? 200 : 0)}});
            }
            writer.frames.push_back(frame);
        }
    }
    return writer;
}

// Where a screenshot shows the red column.
using RedArea = korvel::test::PixelArea;

RedArea FindRed(const std::string& png) {
    return korvel::test::FindPixels(png, IsRed);
}

class ViewerTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.Ok());
        // The user's folder: the program's data reached through links, the model somewhere else.
        start = korvel::test::UserFolder(dir.Path());
        std::filesystem::create_directory(dir.File("models"));
        model = dir.File("models/column.md2");
        ASSERT_TRUE(Column().Write(model));
        ASSERT_EQ(
            RunCommand("convert -size 64x64 xc:'#e02020' PCX:" + ShellQuote(dir.File("models/column.pcx"))),
            0);
    }

    std::unique_ptr<ProgramRun> Start(const std::vector<std::string>& args) {
        return std::make_unique<ProgramRun>(display, kViewer, args, start);
    }

    // Sends the keys, then F12, and returns the path of the screenshot once it is saved.
    std::string ShotAfter(const ProgramRun& viewer, const std::string& keys) {
        std::string path = start + "/md2viewer-000" + std::to_string(++shots) + ".png";
        viewer.Key(keys + " F12");
        EXPECT_TRUE(viewer.WaitForOutput("Screenshot saved to " + path + "\n", 20.0)) << path;
        return path;
    }

    TempDir dir;
    VirtualDisplay display;
    int shots = 0;
    std::string start;
    std::string model;
};

TEST_F(ViewerTool, ScreenshotShowsAModelFromAnotherFolderInTheSkinItNames) {
    auto viewer = Start({"--screenshot", "thumb.png", "--frames", "10", "../models/column.md2"});
    ASSERT_EQ(viewer->Wait(60.0), 0) << viewer->Stdout() << viewer->Stderr();
    EXPECT_NE(viewer->Stdout().find("Loading Texture: " + dir.File("models/column.pcx")), std::string::npos)
        << viewer->Stdout();
    EXPECT_NE(viewer->Stdout().find("Screenshot saved to " + start + "/thumb.png\n"), std::string::npos);
    // Framed like the hobgoblin: about 300 pixels tall, its foot on the grid in the lower half.
    RedArea red = FindRed(start + "/thumb.png");
    EXPECT_GT(red.pixels, 5000);
    EXPECT_GT(red.bottom - red.top, 200);
    EXPECT_LT(red.bottom - red.top, 450);
    EXPECT_GT(red.bottom, 500);
    EXPECT_LT(red.bottom, 680);
}

TEST_F(ViewerTool, PageDownReachesLaterAnimationsAndF12SavesTheNextFreeNumberInAWindow) {
    ASSERT_EQ(RunCommand("touch " + ShellQuote(start + "/md2viewer-0001.png")), 0);
    auto viewer = Start({"--window", model});
    ASSERT_TRUE(viewer->WaitForWindow(kViewerRunning, 30.0)) << viewer->Stdout() << viewer->Stderr();
    display.Run("xdotool mousemove 1000 300");
    // A window of its own, not a full-screen surface. Classic SDL 1.2 draws into a child of the
    // titled, managed window; SDL 2's SDL 1.2 layer draws into the window itself and asks the window
    // manager for its fixed size, which its full-screen mode leaves out.
    const std::string window = "$(xdotool search --name '" + kViewerRunning + "' | head -1)";
    std::string info;
    if (RunCommand("ldd " + ShellQuote(kViewer) + " | grep -q sdl12-compat") == 0) {
        display.Run("sh -c " + ShellQuote("xprop WM_NORMAL_HINTS -id " + window), &info);
        EXPECT_NE(info.find("program specified minimum size: " + std::to_string(kScreenWidth) + " by " +
                            std::to_string(kScreenHeight)),
                  std::string::npos)
            << info;
    } else {
        display.Run("sh -c " + ShellQuote("xwininfo -children -id " + window), &info);
        EXPECT_NE(info.find("1 child:"), std::string::npos) << info;
    }

    viewer->Key("F12");
    ASSERT_TRUE(viewer->WaitForOutput("Screenshot saved to " + start + "/md2viewer-0002.png\n", 20.0));
    viewer->Key("Next Next Next Next Next Next Next Next Next Next Next Next Next Next Next");
    usleep(500 * 1000);
    viewer->Key("F12");
    ASSERT_TRUE(viewer->WaitForOutput("Screenshot saved to " + start + "/md2viewer-0003.png\n", 20.0));
    viewer->Key("Escape");
    EXPECT_EQ(viewer->Wait(30.0), 0) << viewer->Stderr();

    RedArea standing = FindRed(start + "/md2viewer-0002.png");
    RedArea lifted = FindRed(start + "/md2viewer-0003.png");
    EXPECT_GT(standing.pixels, 5000);
    EXPECT_GT(lifted.pixels, 2000);
    EXPECT_LT(lifted.bottom, standing.bottom - 100) << "animation " << kLifted << " is not showing";
}

TEST_F(ViewerTool, PauseStepOverlayWireframeCullingAndMouseChangeThePicture) {
    const std::string climbing = dir.File("models/climbing.md2");
    ASSERT_TRUE(Column(30.0f).Write(climbing));
    auto viewer = Start({"--window", climbing});
    ASSERT_TRUE(viewer->WaitForWindow(kViewerRunning, 30.0)) << viewer->Stdout() << viewer->Stderr();
    display.Run("xdotool mousemove 1000 300");

    // The panel hidden (Tab), so the drag and the wheel below land on the scene. Paused first, then 0:
    // the pose is key frame 0 of animation 0 whatever the clock was doing.
    std::string paused = ShotAfter(*viewer, "Tab space 0");
    usleep(700 * 1000);
    std::string still = ShotAfter(*viewer, "");
    std::string up = ShotAfter(*viewer, "period");
    std::string wrapped = ShotAfter(*viewer, "comma comma");
    std::string back = ShotAfter(*viewer, "period i");
    std::string wire = ShotAfter(*viewer, "w");
    std::string culled = ShotAfter(*viewer, "w c");
    // A drag of 60 pixels down; the pointer comes to the press and leaves the release faster than the
    // viewer takes the press and the release from its queue: neither move may turn the camera.
    display.Run(
        "xdotool mousemove 900 400 mousedown 1 sleep 0.3 mousemove 900 460 mouseup 1 mousemove 1000 300");
    std::string turned = ShotAfter(*viewer, "");
    display.Run("xdotool click 4 click 4 click 4");
    std::string nearer = ShotAfter(*viewer, "");
    viewer->Key("Escape");
    EXPECT_EQ(viewer->Wait(30.0), 0) << viewer->Stderr();

    // Held: the same picture below the frame rate line, however long the pause.
    EXPECT_EQ(ImageDifference(paused, still, 0, 40, kScreenWidth, kScreenHeight - 40), 0.0);
    // One key frame on climbs 30 units, two back from 0 wrap round to the highest, one on returns.
    RedArea first = FindRed(paused), second = FindRed(up), third = FindRed(wrapped), again = FindRed(back);
    EXPECT_LT(second.bottom, first.bottom - 30);
    EXPECT_LT(third.bottom, second.bottom - 30);
    EXPECT_EQ(again.bottom, first.bottom);
    EXPECT_EQ(again.pixels, first.pixels);
    // The overlay's lines appear at the left, under the help text.
    EXPECT_GT(ImageDifference(paused, back, 0, 100, 420, 150), 5.0);
    // Wireframe keeps the outline and drops the filled sides; culling leaves a closed column as it was.
    RedArea lines = FindRed(wire), culledArea = FindRed(culled);
    EXPECT_LT(lines.pixels, again.pixels / 5);
    EXPECT_NEAR(lines.top, again.top, 3);
    EXPECT_NEAR(lines.bottom, again.bottom, 3);
    EXPECT_NEAR(culledArea.pixels, again.pixels, again.pixels / 100);
    // A drag of 60 pixels down raises the camera by about a third of a right angle: the column's foot
    // rises on screen while it is still seen from the side; three wheel notches bring it nearer.
    RedArea orbited = FindRed(turned), zoomed = FindRed(nearer);
    EXPECT_LT(orbited.bottom, again.bottom - 30);
    EXPECT_GT(orbited.bottom - orbited.top, (again.bottom - again.top) * 3 / 4);
    EXPECT_GT(zoomed.bottom - zoomed.top, (orbited.bottom - orbited.top) * 6 / 5);
}

TEST_F(ViewerTool, AWrongOptionExitsTwoAndAMissingModelOne) {
    auto wrong = Start({"--bogus", model});
    EXPECT_EQ(wrong->Wait(30.0), 2);
    EXPECT_EQ(wrong->Stdout(), "");
    EXPECT_EQ(wrong->Stderr().rfind("md2viewer: unknown option '--bogus'\nusage: md2viewer ", 0), 0u)
        << wrong->Stderr();

    auto missing = Start({"--window", "nothing.md2"});
    EXPECT_EQ(missing->Wait(60.0), 1);
    EXPECT_EQ(missing->Stderr(), "Unable to find the file: " + start + "/nothing.md2!\n");
}

} // namespace
