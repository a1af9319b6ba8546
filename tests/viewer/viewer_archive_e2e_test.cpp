// md2viewer on game archives, end to end: N and P step through every model of a .pak in path order,
// each in the skin found inside the archive, skipping a model the loader refuses and wrapping at both
// ends; a model inside a .pk3 opens directly; a damaged archive ends the viewer with one line; the
// animation table beside a model inside the archive, or one named, gives the animations.
#include "support/ArchiveWriter.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"
#include "support/XSession.h"

#include <filesystem>
#include <gtest/gtest.h>

using korvel::test::FindPixels;
using korvel::test::Md2Writer;
using korvel::test::ProgramRun;
using korvel::test::RunCommand;
using korvel::test::ShellQuote;
using korvel::test::TempDir;
using korvel::test::VirtualDisplay;
using korvel::test::IsRed;
using korvel::test::IsGreen;
using korvel::test::IsBlue;

namespace {

const std::string kViewer = std::string(KORVEL_BIN_DIR) + "/md2viewer";
const std::string kRunning = "Korvel Engine - MD2 Demo Current FPS: ";

using Colour = bool (*)(int, int, int);

void Image(const std::string& path, const std::string& colour) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_EQ(RunCommand("convert -size 64x64 xc:" + ShellQuote(colour) + " " + ShellQuote(path)), 0) << path;
}

void Model(const std::string& path, const std::vector<std::string>& skins) {
    korvel::test::WriteFile(path, Md2Writer::Box({{40.0f, 40.0f, 200.0f}}, skins).Bytes());
}

// Four models in nested folders with mixed-case names, their skins named in the game's own way; the
// third in path order is not a model the loader takes.
void WriteGame(const std::string& root) {
    Model(root + "/models/Alpha/tris.md2", {"models/alpha/RED.PCX"});
    Image(root + "/models/Alpha/Red.pcx", "#e02020");
    Model(root + "/models/beta/Sub/Beta.md2", {});
    Image(root + "/models/beta/Sub/beta.PNG", "#20e020");
    std::vector<uint8_t> broken = Md2Writer::Box({{1, 1, 1}}, {}).Bytes();
    korvel::test::SetHeaderField(broken, korvel::test::Md2Field::Version, 7);
    korvel::test::WriteFile(root + "/models/broken/tris.md2", broken);
    Model(root + "/models/gamma/tris.md2", {"blue"});
    Image(root + "/models/gamma/Blue.png", "#2020e0");
    korvel::test::WriteText(root + "/models/gamma/TRIS.anm", "walk 0 1 10\nfly 0 5 10\n");
    Image(root + "/pics/red.pcx", "#e02020");
}

class ViewerArchives : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.Ok());
        start = korvel::test::UserFolder(dir.Path());
        WriteGame(dir.File("game"));
        ASSERT_TRUE(korvel::test::PakFolder(dir.File("game"), pak));
        ASSERT_TRUE(korvel::test::ZipFolder(dir.File("game"), pk3));
    }

    TempDir dir;
    VirtualDisplay display;
    std::string start;
    std::string pak = dir.File("pak0.pak");
    std::string pk3 = dir.File("pak1.pk3");
};

TEST_F(ViewerArchives, NAndPStepThroughEveryModelSkippingTheRefusedOneAndWrapAround) {
    ProgramRun viewer(display, kViewer, {"--window", pak}, start);
    ASSERT_TRUE(viewer.WaitForWindow(kRunning, 30.0)) << viewer.Stdout() << viewer.Stderr();
    EXPECT_NE(std::string::npos, viewer.Stdout().find("Showing model 1 of 4: models/Alpha/tris.md2"));
    struct Step {
        const char* keys;
        const char* shown;
        Colour colour;
    };
    const Step steps[] = {{"", "model 1 of 4: models/Alpha/tris.md2", IsRed},
                          {"n", "model 2 of 4: models/beta/Sub/Beta.md2", IsGreen},
                          {"n", "model 4 of 4: models/gamma/tris.md2", IsBlue},
                          {"n", "model 1 of 4: models/Alpha/tris.md2", IsRed},
                          {"p", "model 4 of 4: models/gamma/tris.md2", IsBlue},
                          {"p", "model 2 of 4: models/beta/Sub/Beta.md2", IsGreen}};
    int shot = 0;
    for (const Step& step : steps) {
        const std::string path = start + "/md2viewer-000" + std::to_string(++shot) + ".png";
        viewer.Key(std::string(step.keys) + (*step.keys ? " " : "") + "F12");
        ASSERT_TRUE(viewer.WaitForOutput("Screenshot saved to " + path + "\n", 20.0)) << path;
        const std::string out = viewer.Stdout();
        const size_t shown = out.rfind("Showing model");
        ASSERT_NE(std::string::npos, shown);
        EXPECT_EQ(0u, out.compare(shown + 8, std::string(step.shown).size(), step.shown))
            << out.substr(shown);
        EXPECT_GT(FindPixels(path, step.colour).pixels, 5000) << step.shown;
    }
    viewer.Key("Escape");
    EXPECT_EQ(viewer.Wait(30.0), 0);
    // The refused model is reported each time it is passed, and never shown.
    const std::string err = viewer.Stderr();
    EXPECT_NE(std::string::npos,
              err.find("Invalid file format (Version not 8): " + pak + ":models/broken/tris.md2!"));
    EXPECT_NE(std::string::npos, err.find("md2viewer: skipped models/broken/tris.md2 (model 3 of 4)"));
    EXPECT_EQ(std::string::npos, viewer.Stdout().find("Showing model 3"));
}

TEST_F(ViewerArchives, AModelInsideAnArchiveOpensDirectlyAndADamagedArchiveGivesOneLine) {
    for (const std::vector<std::string>& form :
         {std::vector<std::string>{pk3, "models/gamma/tris.md2"}, {pk3 + ":models/gamma/tris.md2"}}) {
        const std::string path = start + "/direct.png";
        std::vector<std::string> args = {"--screenshot", path, "--frames", "5"};
        args.insert(args.end(), form.begin(), form.end());
        ProgramRun viewer(display, kViewer, args, start);
        EXPECT_EQ(viewer.Wait(60.0), 0) << viewer.Stderr();
        EXPECT_GT(FindPixels(path, IsBlue).pixels, 5000) << form.size();
        EXPECT_EQ(FindPixels(path, IsRed).pixels, 0);
    }

    std::vector<uint8_t> bytes = korvel::test::ReadFile(pak);
    bytes.resize(bytes.size() - 100);
    const std::string damaged = dir.File("damaged.pak");
    korvel::test::WriteFile(damaged, bytes);
    ProgramRun viewer(display, kViewer, {"--screenshot", start + "/none.png", damaged}, start);
    EXPECT_EQ(viewer.Wait(60.0), 1);
    EXPECT_EQ("Unable to read the archive (directory runs past the end of the file): " + damaged + "!\n",
              viewer.Stderr());
}

TEST_F(ViewerArchives, ASheetShowsEveryModelInItsCellWithItsPathAndALimitCutsIt) {
    const std::string sheet = start + "/sheet.png";
    ProgramRun viewer(display, kViewer, {"--sheet", sheet, "--columns", "3", pak}, start);
    ASSERT_EQ(viewer.Wait(120.0), 0) << viewer.Stderr();
    EXPECT_NE(std::string::npos, viewer.Stderr().find("[4/4] models/gamma/tris.md2\n"));
    EXPECT_NE(std::string::npos, viewer.Stdout().find("Contact sheet of 4 models saved to " + sheet));
    std::string size;
    ASSERT_EQ(RunCommand("identify -format '%wx%h' " + ShellQuote(sheet), &size), 0);
    EXPECT_EQ(size, "960x560");
    // Cells of 320 x 240 with two lines of path under each, three to a row; the refused model keeps
    // its place, empty.
    const korvel::test::PixelRect cells[] = {{0, 0, 320, 240}, {320, 0, 320, 240}, {640, 0, 320, 240},
                                            {0, 280, 320, 240}};
    const Colour colours[] = {IsRed, IsGreen, IsBlue};
    for (size_t cell = 0; cell < 4; ++cell) {
        for (size_t c = 0; c < 3; ++c) {
            const bool wanted = (cell == 0 && c == 0) || (cell == 1 && c == 1) || (cell == 3 && c == 2);
            EXPECT_EQ(FindPixels(sheet, colours[c], cells[cell]).pixels > 300, wanted) << cell << " " << c;
        }
        EXPECT_GT(FindPixels(sheet, korvel::test::IsLightText,
                             {cells[cell].x, cells[cell].y + 240, 320, 40}).pixels, 50) << cell;
    }

    ProgramRun cut(display, kViewer, {"--sheet", sheet, "--limit", "2", pak}, start);
    ASSERT_EQ(cut.Wait(120.0), 0) << cut.Stderr();
    ASSERT_EQ(RunCommand("identify -format '%wx%h' " + ShellQuote(sheet), &size), 0);
    EXPECT_EQ(size, "640x280");
}

TEST_F(ViewerArchives, TheAnimationTableBesideAModelOrNamedGivesItsAnimations) {
    const std::string model = pk3 + ":models/gamma/tris.md2";
    const std::string shot = start + "/walk.png";
    ProgramRun walk(display, kViewer, {"--screenshot", shot, "--frames", "5", "--animation", "walk", model},
                    start);
    EXPECT_EQ(walk.Wait(60.0), 0) << walk.Stderr();
    EXPECT_GT(FindPixels(shot, IsBlue).pixels, 5000);
    EXPECT_NE(
        std::string::npos,
        walk.Stderr().find(pk3 + ":models/gamma/TRIS.anm:2: frames 0-5, but the model has 2 (0-1); skipped"))
        << walk.Stderr();
    // The frame names' animation is gone, and comes back with a table named on the command line.
    ProgramRun box(display, kViewer, {"--screenshot", shot, "--animation", "box", model}, start);
    EXPECT_EQ(box.Wait(60.0), 1);
    EXPECT_NE(std::string::npos, box.Stderr().find("has no animation 'box' (it has 1, numbered from 0)"));
    korvel::test::WriteText(dir.File("sway.framegroups"), "1 1 2 0 // box");
    ProgramRun named(
        display, kViewer,
        {"--screenshot", shot, "--animations", dir.File("sway.framegroups"), "--animation", "box", model},
        start);
    EXPECT_EQ(named.Wait(60.0), 0) << named.Stderr();
}

} // namespace
