// md2viewer on a character made of parts: a head and a weapon put on the body's tags from the command
// line, drawn where the tags are; the heads beside a body inside an archive cycled with H; a tag the
// body lacks is one line and exit status 1.
#include "support/ArchiveWriter.h"
#include "support/Character.h"
#include "support/TestSupport.h"
#include "support/XSession.h"

#include <gtest/gtest.h>

using korvel::test::FindPixels;
using korvel::test::ImageDifference;
using korvel::test::IsBlue;
using korvel::test::IsGreen;
using korvel::test::IsRed;
using korvel::test::ProgramRun;
using korvel::test::TempDir;
using korvel::test::VirtualDisplay;

namespace {

const std::string kViewer = std::string(KORVEL_BIN_DIR) + "/md2viewer";
const std::string kRunning = "Korvel Engine - MD2 Demo Current FPS: ";

class ViewerParts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.Ok());
        start = korvel::test::UserFolder(dir.Path());
        korvel::test::WriteCharacter(dir.File("game/chars/soldier"));
        ASSERT_TRUE(korvel::test::ZipFolder(dir.File("game"), pk3));
    }

    TempDir dir;
    VirtualDisplay display;
    std::string start;
    std::string pk3 = dir.File("game.pk3");
};

TEST_F(ViewerParts, AHeadAndAWeaponOnTheTagsAreDrawnWithTheBody) {
    const std::string shot = start + "/parts.png";
    ProgramRun viewer(
        display, kViewer,
        {"--screenshot", shot, "--frames", "12", "--attach", "tag_head=chars/soldier/head01.md2", "--attach",
         "TAG_RWEAPON=chars/soldier/rifle.md2:chars/soldier/rifle.png", pk3 + ":chars/soldier/body.md2"},
        start);
    ASSERT_EQ(viewer.Wait(60.0), 0) << viewer.Stderr();
    const auto body = FindPixels(shot, IsGreen), head = FindPixels(shot, IsRed),
               rifle = FindPixels(shot, IsBlue);
    ASSERT_GT(body.pixels, 3000);
    ASSERT_GT(head.pixels, 500);
    ASSERT_GT(rifle.pixels, 300);
    // The head sits on the body's top, the weapon across its middle, all in view.
    EXPECT_LT(head.top, body.top);
    EXPECT_GT(head.bottom, body.top);
    EXPECT_GT(rifle.top, body.top + (body.bottom - body.top) / 4);
    EXPECT_LT(rifle.bottom, body.bottom);

    ProgramRun wrong(display, kViewer,
                     {"--screenshot", shot, "--attach", "tag_lweapon=chars/soldier/rifle.md2",
                      pk3 + ":chars/soldier/body.md2"},
                     start);
    EXPECT_EQ(wrong.Wait(60.0), 1);
    EXPECT_EQ("No tag 'tag_lweapon' on the model (its tags: tag_head, tag_rweapon); nothing attached\n",
              wrong.Stderr());
}

TEST_F(ViewerParts, HCyclesTheHeadsBesideABodyBrowsedInAnArchive) {
    ProgramRun viewer(display, kViewer, {"--window", pk3}, start);
    ASSERT_TRUE(viewer.WaitForWindow(kRunning, 30.0)) << viewer.Stdout() << viewer.Stderr();
    const char* const heads[] = {"", "Head: head01.md2", "Head: head02.md2", "Head: none"};
    for (int shot = 1; shot <= 4; ++shot) {
        const std::string path = start + "/md2viewer-000" + std::to_string(shot) + ".png";
        viewer.Key(shot > 1 ? "h F12" : "F12");
        ASSERT_TRUE(viewer.WaitForOutput("Screenshot saved to " + path + "\n", 20.0)) << path;
        EXPECT_NE(std::string::npos, viewer.Stdout().find(heads[shot - 1]));
        EXPECT_GT(FindPixels(path, IsGreen).pixels, 3000);
        // Only the first head is red.
        EXPECT_EQ(shot == 2, FindPixels(path, IsRed).pixels > 500) << heads[shot - 1];
    }
    viewer.Key("Escape");
    EXPECT_EQ(viewer.Wait(30.0), 0);
}

TEST_F(ViewerParts, TheOverlayNamesTheHeadOnAfterTheHeadsWentRound) {
    // The overlay with head01 on: the first time, and after head02 and no head were on in between.
    std::string shots[2];
    const char* const keys[] = {"h F12", "h h h h F12"};
    for (int i = 0; i < 2; ++i) {
        ProgramRun viewer(display, kViewer, {"--window", pk3}, start);
        ASSERT_TRUE(viewer.WaitForWindow(kRunning, 30.0)) << viewer.Stdout() << viewer.Stderr();
        viewer.Key(keys[i]);
        shots[i] = start + "/md2viewer-000" + std::to_string(i + 1) + ".png";
        ASSERT_TRUE(viewer.WaitForOutput("Screenshot saved to " + shots[i] + "\n", 20.0)) << shots[i];
        viewer.Key("Escape");
        EXPECT_EQ(viewer.Wait(30.0), 0);
    }
    // The file name on the overlay's eighth line, "Tag tag_head: head01.md2".
    EXPECT_LT(ImageDifference(shots[0], shots[1], 160, 264, 140, 22), 0.3);
}

} // namespace
