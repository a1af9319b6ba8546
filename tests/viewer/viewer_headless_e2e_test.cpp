// md2viewer's pictures with no display: --screenshot and --sheet run with DISPLAY unset draw offscreen
// and save the same pictures as under an X server.
#include "support/ArchiveWriter.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"
#include "support/XSession.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace korvel::test;

namespace {

const std::string kViewer = std::string(KORVEL_BIN_DIR) + "/md2viewer";

// The viewer run to its end, on the display or, with `headless`, with DISPLAY unset.
void RunViewer(const VirtualDisplay& display, const std::vector<std::string>& args, const std::string& start,
               bool headless) {
    ProgramRun viewer(display, kViewer, args, start,
                      headless ? std::vector<std::string>{"DISPLAY="} : std::vector<std::string>{});
    EXPECT_EQ(viewer.Wait(120.0), 0) << viewer.Stderr();
}

} // namespace

TEST(ViewerHeadless, ScreenshotAndSheetWithoutADisplayMatchThoseOnIt) {
    TempDir dir;
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    const std::string start = UserFolder(dir.Path());
    const std::string game = dir.File("game");
    std::filesystem::create_directories(game + "/models/a");
    std::filesystem::create_directories(game + "/models/b");
    ASSERT_TRUE(Md2Writer::Box({{40.0f, 40.0f, 120.0f}}, {"red.png"}).Write(game + "/models/a/tris.md2"));
    ASSERT_TRUE(Md2Writer::Box({{80.0f, 30.0f, 60.0f}}, {"blue.png"}).Write(game + "/models/b/tris.md2"));
    ASSERT_EQ(0,
              RunCommand("convert -size 64x64 xc:'#e02020' " + ShellQuote(game + "/models/a/red.png") +
                         " && convert -size 64x64 xc:'#2020e0' " + ShellQuote(game + "/models/b/blue.png")));
    const std::string pk3 = dir.File("game.pk3");
    ASSERT_TRUE(ZipFolder(game, pk3));

    for (const bool headless : {false, true}) {
        const std::string tag = headless ? "-headless" : "-x";
        RunViewer(display, {"--screenshot", dir.File("shot" + tag + ".png"), game + "/models/a/tris.md2"},
                  start, headless);
        RunViewer(display, {"--sheet", dir.File("sheet" + tag + ".png"), pk3}, start, headless);
    }
    EXPECT_GT(FindPixels(dir.File("shot-headless.png"), IsRed).pixels, 5000);
    EXPECT_LT(ImageDifference(dir.File("shot-x.png"), dir.File("shot-headless.png"), 0, 0, 1024, 768), 0.05);
    std::string size;
    ASSERT_EQ(RunCommand("identify -format '%wx%h' " + ShellQuote(dir.File("sheet-headless.png")), &size), 0);
    const int width = std::stoi(size), height = std::stoi(size.substr(size.find('x') + 1));
    EXPECT_LT(ImageDifference(dir.File("sheet-x.png"), dir.File("sheet-headless.png"), 0, 0, width, height),
              0.05);
    EXPECT_GT(FindPixels(dir.File("sheet-headless.png"), IsBlue).pixels, 300);
}
