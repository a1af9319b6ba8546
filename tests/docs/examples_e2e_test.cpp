// The module examples as a reader of docs/examples.md gets them: built from the sources an
// installation carries, on that installation, each run for a few frames and judged from its picture.
// The pictures must match those docs/examples.md shows; with KORVEL_EXAMPLE_PICTURES=FOLDER they are
// copied there instead (docs/examples, to refresh the page's).
#include "support/ArchiveWriter.h"
#include "support/InstalledEngine.h"
#include "support/WavWriter.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using namespace korvel::test;

namespace {

bool IsBlueCard(int r, int g, int b) {
    return b > 110 && b > r + 60 && g > r;
}
// Anything but the shaders example's background (38, 38, 46).
bool IsNotShadersBackground(int r, int g, int b) {
    return std::abs(r - 38) + std::abs(g - 38) + std::abs(b - 46) > 30;
}
bool IsLightOrange(int r, int g, int b) {
    return r > 150 && g > 60 && g < r && b < g;
}
// Anything but the GUI example's background (26, 31, 41).
bool IsNotGuiBackground(int r, int g, int b) {
    return std::abs(r - 26) + std::abs(g - 31) + std::abs(b - 41) > 30;
}
bool IsButtonRed(int r, int g, int b) {
    return r > 120 && r > 2 * g && r > 2 * b;
}

struct Example {
    const char* name;
    // Whether the picture shows what the example is about.
    void (*check)(const std::string& png);
    // Whether it is given a game archive to open.
    bool opensArchive = false;
};

long Count(const std::string& png, bool (*wanted)(int, int, int), PixelRect rect) {
    return FindPixels(png, wanted, rect).pixels;
}

const Example kExamples[] = {
    {"models",
     [](const std::string& png) {
         // Four hobgoblins side by side, each with its animation's name above it.
         for (int i = 0; i < 4; ++i) {
             EXPECT_GT(Count(png, IsGreenSkin, {120 + 140 * i, 180, 140, 220}), 1500) << i;
         }
         EXPECT_GT(Count(png, IsLightText, {100, 115, 640, 16}), 300);
     }},
    {"textures",
     [](const std::string& png) {
         EXPECT_GT(Count(png, IsOrangeLogo, {30, 60, 200, 60}), 800);    // PNG
         EXPECT_GT(Count(png, IsGreenSkin, {260, 60, 192, 192}), 10000); // BMP
         EXPECT_GT(Count(png, IsLightText, {480, 60, 192, 192}), 1500);  // TGA
         EXPECT_GT(Count(png, IsBlueCard, {200, 250, 400, 300}), 20000); // the quad in 3D
     }},
    {"text",
     [](const std::string& png) {
         // The same line in each set; the bold sets draw each glyph twice, one pixel apart.
         long lit[4];
         for (int set = 0; set < 4; ++set) {
             lit[set] = Count(png, IsLightText, {40, 40 + 40 * set, 340, 16});
             EXPECT_GT(lit[set], 400) << "set " << set;
         }
         EXPECT_GT(lit[2], lit[0] * 5 / 4);
         EXPECT_GT(lit[3], lit[1] * 5 / 4);
         EXPECT_GT(Count(png, IsLightOrange, {40, 240, 400, 16}), 300);
     }},
    {"camera",
     [](const std::string& png) {
         EXPECT_GT(Count(png, IsGreenSkin, {250, 100, 300, 350}), 3000);
         // The 2D layer of logos starts at x = 20, moved 120 pixels left by the current 2D camera: the
         // first logo is cut by the window's edge.
         const PixelArea logos = FindPixels(png, IsOrangeLogo, {0, 500, 800, 100});
         EXPECT_GT(logos.pixels, 3000);
         EXPECT_EQ(logos.left, 0);
     }},
    {"shaders",
     [](const std::string& png) {
         EXPECT_GT(Count(png, IsNotShadersBackground, {250, 80, 300, 300}), 50000);
         for (int i = 0; i < 10; ++i) {
             EXPECT_GT(Count(png, IsNotShadersBackground, {25 + 75 * i, 455, 70, 70}), 1500)
                 << "program " << i;
         }
     }},
    {"gui",
     [](const std::string& png) {
         // The 400 x 300 window in the middle of its 1024 x 768 screen: the blue title bar and its text,
         // the check box's text, the green and the red button; nothing left of it.
         EXPECT_GT(Count(png, IsBlueCard, {312, 184, 400, 24}), 5000);
         EXPECT_GT(Count(png, IsLightText, {312, 184, 400, 24}), 100);
         EXPECT_GT(Count(png, IsLightText, {390, 305, 250, 25}), 100);
         EXPECT_GT(Count(png, IsGreenSkin, {368, 398, 128, 40}), 2500);
         EXPECT_GT(Count(png, IsButtonRed, {528, 398, 128, 40}), 2500);
         EXPECT_EQ(Count(png, IsNotGuiBackground, {0, 0, 300, 768}), 0);
     }},
    {"archives",
     [](const std::string& png) {
         // The first model of the archive, drawn with its skin, and the list of both.
         EXPECT_GT(Count(png, IsGreenSkin, {250, 150, 300, 350}), 4000);
         EXPECT_GT(Count(png, IsLightText, {10, 40, 400, 40}), 600);
     },
     true},
};

// A .pk3 with the installed hobgoblin under two names, each beside the skin its file names.
std::string MakeArchive(const std::string& prefix, const TempDir& dir) {
    const std::string models = dir.File("game/models");
    const std::string data = prefix + "/share/korvel/Data/Models/MD2/";
    for (const char* name : {"hobgoblin/tris.md2", "twin/goblin.md2"}) {
        const std::filesystem::path model = models + "/" + name;
        std::filesystem::create_directories(model.parent_path());
        std::filesystem::copy_file(data + "tris.md2", model);
        std::filesystem::copy_file(data + "hobgoblin.bmp", model.parent_path() / "hobgoblin.bmp");
    }
    const std::string archive = dir.File("game.pk3");
    return ZipFolder(dir.File("game"), archive) ? archive : "";
}

TEST_F(InstalledEngine, EveryModuleExampleBuildsOnTheInstallationAndShowsItsSubject) {
    std::string log;
    const std::string build = dir.File("examples build");
    ASSERT_EQ(BuildProject(prefix + "/share/doc/korvel/examples", build, &log), 0) << log;

    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    const char* pictures = std::getenv("KORVEL_EXAMPLE_PICTURES");
    const std::string archive = MakeArchive(prefix, dir);
    ASSERT_FALSE(archive.empty());
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        const std::string png = dir.File(std::string(example.name) + ".png");
        const std::vector<std::string> args =
            example.opensArchive ? std::vector<std::string>{archive} : std::vector<std::string>{};
        ProgramRun run(display, build + "/" + example.name + "-example", args, build,
                       {"KORVEL_EXAMPLE_SCREENSHOT=" + png});
        ASSERT_EQ(run.Wait(), 0) << run.Stdout() << run.Stderr();
        EXPECT_EQ(run.Stdout().find("Could not"), std::string::npos) << run.Stdout();
        example.check(png);
        // The page shows what the program draws now (its pictures are the same every run).
        const std::string shown = KORVEL_SOURCE_DIR "/docs/examples/" + std::string(example.name) + ".png";
        if (pictures) {
            std::filesystem::copy_file(png, std::string(pictures) + "/" + example.name + ".png",
                                       std::filesystem::copy_options::overwrite_existing);
        } else {
            // The whole picture: the GUI's is 1024 x 768, the others' 800 x 600.
            EXPECT_LT(ImageDifference(png, shown, 0, 0, 1024, 768), 1.0) << "refresh " << shown;
        }
    }

    // The sound example shows nothing: it plays an effect and a music track and ends.
    const std::string tone = dir.File("tone.wav");
    WriteToneWav(tone, ToneShape{});
    ProgramRun sound(display, build + "/sound-example", {tone, tone}, build, {});
    EXPECT_EQ(sound.Wait(), 0) << sound.Stdout() << sound.Stderr();
}

} // namespace
