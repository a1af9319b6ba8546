// md2viewer on the MD2 files that exist, end to end: skins found however the skin table names them,
// every skin shown in turn, cut-out skins, models of any shape framed wholly in view, the playback
// speed in the overlay, and --help listing the whole command table.
#include "support/Md2Writer.h"
#include "support/TestSupport.h"
#include "support/ViewerFacts.h"
#include "support/XSession.h"
#include "viewer/ViewerCommands.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace korvel::test;

using korvel::test::IsBlue;
using korvel::test::IsGreen;
using korvel::test::IsRed;
namespace {

// A column as the tool tests use: 40 x 40 x 200 units, standing.
Md2Writer Column(const std::vector<std::string>& skins) {
    return Md2Writer::Box({{40.0f, 40.0f, 200.0f}}, skins);
}

class ViewerFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.Ok());
        start = korvel::test::UserFolder(dir.Path());
    }

    // A folder of its own for a model and its skins.
    std::string Folder(const std::string& name) {
        std::string folder = dir.File(name);
        std::filesystem::create_directories(folder);
        return folder;
    }

    // An image of one colour (an ImageMagick colour), in the format the file name's extension says.
    static void Image(const std::string& path, const std::string& colour) {
        ASSERT_EQ(RunCommand("convert -size 64x64 xc:" + ShellQuote(colour) + " " + ShellQuote(path)), 0)
            << path;
    }

    // Runs the viewer with --screenshot and returns the picture's path; `err` receives its standard error.
    std::string Screenshot(const std::vector<std::string>& args, std::string* err = nullptr) {
        std::string path = start + "/shot" + std::to_string(++shots) + ".png";
        std::vector<std::string> all = {"--screenshot", path, "--frames", "5"};
        all.insert(all.end(), args.begin(), args.end());
        ProgramRun viewer(display, kViewer, all, start);
        EXPECT_EQ(viewer.Wait(60.0), 0) << viewer.Stdout() << viewer.Stderr();
        if (err) {
            *err = viewer.Stderr();
        }
        return path;
    }

    TempDir dir;
    VirtualDisplay display;
    std::string start;
    int shots = 0;
};

TEST_F(ViewerFiles, EachWayOfNamingASkinFindsTheFileBesideTheModel) {
    struct Naming {
        const char* name;
        std::vector<std::string> table;
        const char* model;
        const char* file;
    };
    const Naming namings[] = {
        {"game path, other case", {"models/monsters/tank/SKIN.PCX"}, "tris.md2", "skin.pcx"},
        {"leading dot", {".body"}, "tris.md2", "body.png"},
        {"other extension", {"skin.pcx"}, "tris.md2", "skin.png"},
        {"dots inside", {"container.005"}, "tris.md2", "container.005.png"},
        {"first entry missing", {"missing.pcx", "second.tga"}, "tris.md2", "second.tga"},
        {"empty table, model's name", {}, "tank.md2", "tank.pcx"},
        {"the folder's only image", {"nothing.pcx"}, "tris.md2", "whatever.bmp"},
    };
    int n = 0;
    for (const Naming& naming : namings) {
        std::string folder = Folder("naming" + std::to_string(++n));
        ASSERT_TRUE(Column(naming.table).Write(folder + "/" + naming.model));
        Image(folder + "/" + naming.file, "#e02020");
        std::string err;
        PixelArea red = FindPixels(Screenshot({folder + "/" + naming.model}, &err), IsRed);
        EXPECT_GT(red.pixels, 5000) << naming.name;
        EXPECT_EQ(err, "") << naming.name;
    }
    // Nothing to find: drawn grey, and standard error says what was looked for.
    std::string folder = Folder("bare");
    ASSERT_TRUE(Column({"models/x/skin.pcx"}).Write(folder + "/tris.md2"));
    std::string err;
    EXPECT_EQ(FindPixels(Screenshot({folder + "/tris.md2"}, &err), IsRed).pixels, 0);
    EXPECT_EQ(err.rfind("No skin found for " + folder + "/tris.md2 (tried ", 0), 0u) << err;
    EXPECT_NE(err.find("skin"), std::string::npos);
}

TEST_F(ViewerFiles, SkinIndexAndSCycleThroughTheSkinsAndTheKeysChangeTheSpeedShown) {
    std::string folder = Folder("two");
    ASSERT_TRUE(Column({"red.pcx", "missing.pcx", "blue.png"}).Write(folder + "/tris.md2"));
    Image(folder + "/red.pcx", "#e02020");
    Image(folder + "/blue.png", "#2020e0");
    std::string second = Screenshot({"--skin-index", "1", folder + "/tris.md2"});
    EXPECT_GT(FindPixels(second, IsBlue).pixels, 5000);
    EXPECT_EQ(FindPixels(second, IsRed).pixels, 0);

    ProgramRun viewer(display, kViewer, {"--window", folder + "/tris.md2"}, start);
    ASSERT_TRUE(viewer.WaitForWindow(kViewerRunning, 30.0)) << viewer.Stdout() << viewer.Stderr();
    display.Run("xdotool mousemove 1000 300");
    std::vector<std::string> shots;
    for (const char* keys : {"space i", "s", "s", "bracketright", "bracketleft bracketleft"}) {
        std::string path = start + "/md2viewer-000" + std::to_string(shots.size() + 1) + ".png";
        viewer.Key(std::string(keys) + " F12");
        EXPECT_TRUE(viewer.WaitForOutput("Screenshot saved to " + path + "\n", 20.0)) << path;
        shots.push_back(path);
    }
    viewer.Key("Escape");
    EXPECT_EQ(viewer.Wait(30.0), 0) << viewer.Stderr();
    EXPECT_GT(FindPixels(shots[0], IsRed).pixels, 5000);
    EXPECT_GT(FindPixels(shots[1], IsBlue).pixels, 5000);
    EXPECT_GT(FindPixels(shots[2], IsRed).pixels, 5000) << "S goes round to the first skin";
    // The overlay's skin line changes with the skin; its speed line (the fourth) with [ and ] (paused,
    // so nothing else moves): 1x, 2x, 1/2x.
    EXPECT_GT(ImageDifference(shots[0], shots[1], 0, 100, 420, 200), 0.5);
    auto speedLine = [&shots](size_t a, size_t b) {
        return ImageDifference(shots[a], shots[b], 0, 168, 420, 24);
    };
    EXPECT_GT(speedLine(2, 3), 0.3);
    EXPECT_GT(speedLine(3, 4), 0.3);
    EXPECT_GT(speedLine(2, 4), 0.3);
}

TEST_F(ViewerFiles, ACutOutSkinShowsTheBackgroundThroughItsTransparentHalf) {
    std::string folder = Folder("cutout");
    ASSERT_TRUE(Column({"leaf.png"}).Write(folder + "/cut.md2"));
    ASSERT_TRUE(Column({"solid.png"}).Write(folder + "/solid.md2"));
    // The left half red, transparent in leaf.png and opaque in solid.png; the right half green.
    ASSERT_EQ(
        RunCommand("convert -size 32x64 xc:'rgba(224,32,32,0)' -size 32x64 xc:'#20e020' +append PNG32:" +
                   ShellQuote(folder + "/leaf.png")),
        0);
    ASSERT_EQ(RunCommand("convert -size 32x64 xc:'#e02020' -size 32x64 xc:'#20e020' +append PNG24:" +
                         ShellQuote(folder + "/solid.png")),
              0);
    std::string cut = Screenshot({folder + "/cut.md2"});
    std::string solid = Screenshot({folder + "/solid.md2"});
    EXPECT_GT(FindPixels(solid, IsRed).pixels, 3000);
    EXPECT_EQ(FindPixels(cut, IsRed).pixels, 0);
    EXPECT_GT(FindPixels(cut, IsGreen).pixels, 3000);
    // Through the cut-outs the back sides' green shows where the front's red was: fewer model pixels
    // than the solid column, but more than its green alone.
    EXPECT_LT(FindPixels(cut, IsGreen).pixels,
              FindPixels(solid, IsGreen).pixels + FindPixels(solid, IsRed).pixels);
    // A PNG may mark its clear pixels in its palette, or by one colour, instead of in a channel.
    for (const std::string kind : {"PNG8:", "PNG24:"}) {
        ASSERT_EQ(RunCommand("convert -size 32x64 xc:'#e02020' -size 32x64 xc:'#20e020' +append -transparent "
                             "'#e02020' " +
                             kind + ShellQuote(folder + "/leaf.png")),
                  0);
        EXPECT_EQ(FindPixels(Screenshot({folder + "/cut.md2"}), IsRed).pixels, 0) << kind;
    }
}

TEST_F(ViewerFiles, LongAndTinyModelsLieWhollyInViewAndAreNotSmall) {
    std::string folder = Folder("shapes");
    Image(folder + "/skin.pcx", "#e02020");
    // 20 times longer than tall, and 50 times shorter than the hobgoblin (57.67 units).
    ASSERT_TRUE(Md2Writer::Box({{400.0f, 20.0f, 20.0f}}, {"skin.pcx"}).Write(folder + "/long.md2"));
    ASSERT_TRUE(Md2Writer::Box({{0.6f, 0.6f, 57.67f / 50.0f}}, {"skin.pcx"}).Write(folder + "/tiny.md2"));
    ASSERT_TRUE(Md2Writer::Box({{8000.0f, 9000.0f, 40.0f}}, {"skin.pcx"}).Write(folder + "/floor.md2"));
    for (const char* model : {"long.md2", "tiny.md2", "floor.md2"}) {
        PixelArea red = FindPixels(Screenshot({folder + "/" + model}), IsRed);
        EXPECT_GT(red.left, 0) << model;
        EXPECT_GT(red.top, 0) << model;
        EXPECT_LT(red.right, kScreenWidth - 1) << model;
        EXPECT_LT(red.bottom, kScreenHeight - 1) << model;
        // A sensible part of the screen: a third of its width or a fifth of its height.
        EXPECT_TRUE(red.right - red.left > kScreenWidth / 3 || red.bottom - red.top > kScreenHeight / 5)
            << model << " spans " << red.right - red.left << " x " << red.bottom - red.top;
    }
}

TEST(ViewerHelp, ListsEveryOptionAndKeyOfTheTable) {
    std::string out;
    ASSERT_EQ(RunCommand(ShellQuote(kViewer) + " --help", &out), 0);
    EXPECT_EQ(out.rfind("usage: md2viewer ", 0), 0u) << out;
    for (const ViewerOption& option : ViewerOptionTable()) {
        std::string name =
            std::string("\n  ") + option.name + (option.value ? std::string(" ") + option.value : "");
        size_t at = out.find(name);
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_NE(out.find(option.help, at), std::string::npos) << option.name;
    }
    const size_t keys = out.find("\nKeys:\n");
    ASSERT_NE(keys, std::string::npos);
    for (const ViewerKey& key : ViewerKeys()) {
        size_t at = out.find(std::string("\n  ") + key.label + " ", keys);
        ASSERT_NE(at, std::string::npos) << key.label;
        EXPECT_EQ(out.find(key.help, at), out.find('\n', at + 1) - std::string(key.help).size()) << key.label;
    }
}

} // namespace
