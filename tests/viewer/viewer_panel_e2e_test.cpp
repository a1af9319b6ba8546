// md2viewer's panel and timeline driven with the mouse on a real display: a press on an animation's
// name plays it, one on a skin shows it, a drag along the timeline goes to a key frame, typing in the
// filter narrows the archive's models and a press on one opens it. Each is checked in the picture and
// in the overlay's lines, against the same state reached with the keys.
#include "support/Md2Writer.h"
#include "support/ArchiveWriter.h"
#include "support/TestSupport.h"
#include "support/ViewerFacts.h"
#include "support/XSession.h"
#include "gui/GuiList.h"
#include "viewer/ViewerPanel.h"
#include "viewer/ViewerTimeline.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace korvel::test;

namespace {

// The overlay's lines: the file; the animation, its frames and the key frame; the skin.
const PixelRect kFileLine{0, 106, 690, 22}, kPlayLines{0, 128, 690, 68}, kSkinLine{0, 216, 690, 22};
// The scene left of the panel, below the overlay.
const PixelRect kScene{0, 262, 690, 440};

void Image(const std::string& path, const std::string& colour) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_EQ(RunCommand("convert -size 64x64 xc:" + ShellQuote(colour) + " " + ShellQuote(path)), 0) << path;
}

// The middle of row `row` of the panel list whose top is `listTop`.
std::string Row(int listTop, int row) {
    const int y = CViewerPanel::kTop + listTop + 2 + static_cast<int>(CGuiList::kRowHeight) * row + 9;
    return std::to_string(CViewerPanel::kLeft + 100) + " " + std::to_string(y);
}

double Difference(const std::string& a, const std::string& b, const PixelRect& r) {
    return ImageDifference(a, b, r.x, r.y, r.w, r.h);
}

class ViewerPanel : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.Ok());
        start = UserFolder(dir.Path());
        // An octahedron whose animations (stand, run, jump) move it, in a red and a blue skin, and
        // four boxes; only one path holds "gre".
        Md2Writer octahedron = Md2Writer::Octahedron();
        octahedron.skins = {"red.pcx", "blue.png"};
        WriteFile(dir.File("game/models/a_octa/tris.md2"), octahedron.Bytes());
        Image(dir.File("game/models/a_octa/red.pcx"), "#e02020");
        Image(dir.File("game/models/a_octa/blue.png"), "#2020e0");
        for (const char* name : {"green", "red1", "red2", "red3"}) {
            const std::string folder = dir.File(std::string("game/models/") + name);
            WriteFile(folder + "/tris.md2", Md2Writer::Box({{40.0f, 40.0f, 200.0f}}, {"skin.png"}).Bytes());
            Image(folder + "/skin.png", name == std::string("green") ? "#20e020" : "#e02020");
        }
        ASSERT_TRUE(ZipFolder(dir.File("game"), pk3));
    }

    // Sends the keys, then F12; the screenshot's path once it is saved.
    std::string ShotAfter(const std::string& keys) {
        ++shots;
        const std::string path =
            start + "/md2viewer-" + std::string(shots < 10 ? "000" : "00") + std::to_string(shots) + ".png";
        viewer->Key(keys + (keys.empty() ? "" : " ") + "F12");
        EXPECT_TRUE(viewer->WaitForOutput("Screenshot saved to " + path + "\n", 20.0)) << path;
        return path;
    }
    std::string ClickShot(const std::string& where) {
        display.Run("xdotool mousemove " + where + " click 1");
        return ShotAfter("");
    }

    TempDir dir;
    VirtualDisplay display;
    std::string start;
    std::string pk3 = dir.File("game.pk3");
    std::unique_ptr<ProgramRun> viewer;
    int shots = 0;
};

TEST_F(ViewerPanel, TheMouseChoosesAnimationKeyFrameSkinAndModelAsTheKeysDo) {
    viewer = std::make_unique<ProgramRun>(display, kViewer, std::vector<std::string>{"--window", pk3}, start);
    ASSERT_TRUE(viewer->WaitForWindow(kViewerRunning, 30.0)) << viewer->Stdout() << viewer->Stderr();
    display.Run("xdotool mousemove 300 650");
    const std::string standing = ShotAfter("space 0");

    // The animation "run 3-6" by its name, then by its number: the same lines, the same pose.
    const std::string run = ClickShot(Row(CViewerPanel::kAnimationsTop, 1));
    const std::string runByKey = ShotAfter("1");
    EXPECT_GT(Difference(standing, run, kPlayLines), 1.0);
    EXPECT_EQ(Difference(run, runByKey, kPlayLines), 0.0);
    EXPECT_EQ(Difference(run, runByKey, kScene), 0.0);

    // Dragged from the timeline's start to its end: the animation's last key frame, as one step back
    // from its first reaches it.
    const int y = (CViewerTimeline::kTop + CViewerTimeline::kBottom) / 2;
    display.Run("xdotool mousemove " + std::to_string(CViewerTimeline::kLeft + 4) + " " + std::to_string(y) +
                " mousedown 1 sleep 0.3 mousemove 500 " + std::to_string(y) + " sleep 0.3 mousemove " +
                std::to_string(CViewerTimeline::kRight - 2) + " " + std::to_string(y) +
                " sleep 0.3 mouseup 1");
    const std::string dragged = ShotAfter("");
    const std::string lastByKey = ShotAfter("1 comma");
    EXPECT_GT(Difference(run, dragged, kPlayLines), 0.05);
    EXPECT_GT(Difference(run, dragged, kScene), 0.1);
    EXPECT_EQ(Difference(dragged, lastByKey, kPlayLines), 0.0);
    EXPECT_EQ(Difference(dragged, lastByKey, kScene), 0.0);

    // The second skin by its name: blue, not red; the overlay's skin line as after S twice from it.
    const std::string blue = ClickShot(Row(CViewerPanel::kSkinsTop, 1));
    const std::string blueByKey = ShotAfter("s s");
    EXPECT_GT(FindPixels(blue, IsBlue, kScene).pixels, 2000);
    EXPECT_EQ(FindPixels(blue, IsRed, kScene).pixels, 0);
    EXPECT_GT(Difference(lastByKey, blue, kSkinLine), 0.3);
    EXPECT_EQ(Difference(blue, blueByKey, kSkinLine), 0.0);

    // Typing "gre" into the filter leaves one model in the list, and the letters are the filter's
    // alone: G does not take the grid away. F12 is still the viewer's.
    const int listLeft = CViewerPanel::kLeft + 10, listTop = CViewerPanel::kTop + CViewerPanel::kModelsTop;
    const PixelRect laterRows{listLeft, listTop + 2 + 18, 280, 18 * 7};
    display.Run("xdotool mousemove " + std::to_string(CViewerPanel::kLeft + 200) + " " +
                std::to_string(CViewerPanel::kTop + CViewerPanel::kFilterTop + 11) + " click 1");
    display.Run("xdotool type --delay 150 gre");
    const std::string filtered = ShotAfter("");
    EXPECT_GT(FindPixels(blueByKey, IsLightText, laterRows).pixels, 200);
    EXPECT_EQ(FindPixels(filtered, IsLightText, laterRows).pixels, 0);
    EXPECT_EQ(Difference(blueByKey, filtered, kScene), 0.0);

    // The one model left, pressed, opens: green, and named in the overlay as P then N names it.
    const std::string green = ClickShot(Row(CViewerPanel::kModelsTop, 0));
    EXPECT_NE(viewer->Stdout().find("Showing model 2 of 5: models/green/tris.md2"), std::string::npos)
        << viewer->Stdout();
    const std::string greenByKey = ShotAfter("p n");
    EXPECT_GT(FindPixels(green, IsGreen, kScene).pixels, 2000);
    EXPECT_GT(Difference(filtered, green, kFileLine), 0.3);
    EXPECT_EQ(Difference(green, greenByKey, kFileLine), 0.0);

    viewer->Key("Escape");
    EXPECT_EQ(viewer->Wait(30.0), 0) << viewer->Stderr();
}

} // namespace
