// The module examples as a reader of docs/examples.md gets them: built from the sources an
// installation carries, on that installation, each run for a few frames and judged from its picture.
// The pictures must match those docs/examples.md shows; with KORVEL_EXAMPLE_PICTURES=FOLDER they are
// copied there instead (docs/examples, to refresh the page's).
#include "support/InstalledEngine.h"

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

struct Example {
    const char* name;
    // Whether the picture shows what the example is about.
    void (*check)(const std::string& png);
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
};

TEST_F(InstalledEngine, EveryModuleExampleBuildsOnTheInstallationAndShowsItsSubject) {
    std::string log;
    const std::string build = dir.File("examples build");
    ASSERT_EQ(BuildProject(prefix + "/share/doc/korvel/examples", build, &log), 0) << log;

    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    const char* pictures = std::getenv("KORVEL_EXAMPLE_PICTURES");
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        const std::string png = dir.File(std::string(example.name) + ".png");
        ProgramRun run(display, build + "/" + example.name + "-example", {}, build,
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
            EXPECT_LT(ImageDifference(png, shown, 0, 0, 800, 600), 1.0) << "refresh " << shown;
        }
    }
}

} // namespace
