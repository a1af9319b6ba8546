// The MD2 viewer binary on its own virtual display, judged from its log and from screenshots: the
// complete start-up log, the number keys, the arrow keys, the logo, and missing data files.
#include "base/Version.h"
#include "support/TestSupport.h"
#include "support/ViewerFacts.h"
#include "support/XSession.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace korvel::test;

namespace {

// Where the hobgoblin stands on the screen, with room for its animations.
const std::string kModelArea = "360x440+370+190";
// How long a pose runs before it is photographed, always the same so poses are compared in phase.
const int kPoseMs = 600;

struct Rect {
    int x, y, w, h;
    std::string Geometry() const {
        return std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" +
               std::to_string(y);
    }
};

// Pixels of two screenshots that differ by more than 20% inside an area ("WxH+X+Y").
long DifferentPixels(const std::string& a, const std::string& b, const std::string& area) {
    std::string out;
    RunCommand("compare -metric AE -fuzz 20% " + a + " " + b + " -crop " + area + " null: 2>&1", &out);
    return std::atol(out.c_str());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class ViewerDemo : public ::testing::Test {
protected:
    // Starts the viewer in `workingDir` and waits until it has drawn frames for a second.
    void Start(const std::string& workingDir = KORVEL_RUNTIME_DIR) {
        ASSERT_TRUE(display.Ok());
        viewer = std::make_unique<ProgramRun>(display, kViewer, std::vector<std::string>{}, workingDir);
        ASSERT_TRUE(viewer->WaitForWindow(kViewerRunning, 30.0)) << viewer->Stdout() << viewer->Stderr();
        // The software pointer is kept away from everything the tests look at.
        display.Run("xdotool mousemove 100 300");
    }

    // Ends the viewer with Escape and expects status 0.
    void Finish() {
        viewer->Key("Escape");
        EXPECT_EQ(viewer->Wait(30.0), 0) << viewer->Stderr();
    }

    std::string Shot(const std::string& name) {
        std::string path = dir.File(name + ".png");
        EXPECT_TRUE(display.Screenshot(path));
        return path;
    }

    // Sends a key, lets its pose run for kPoseMs and photographs it.
    std::string PoseAfter(const std::string& key, const std::string& name) {
        viewer->Key(key);
        usleep(kPoseMs * 1000);
        return Shot(name);
    }

    // Raw 8-bit pixels of an image area (channels "rgb" or "rgba").
    std::vector<uint8_t> RawPixels(const std::string& image, const Rect& area, const std::string& channels) {
        std::string out = dir.File("raw");
        EXPECT_EQ(RunCommand("convert " + korvel::test::ShellQuote(image) + " -crop " + area.Geometry() +
                             " +repage -depth 8 " + channels + ":" + out),
                  0);
        return ReadFile(out);
    }

    TempDir dir;
    VirtualDisplay display;
    std::unique_ptr<ProgramRun> viewer;
};

TEST_F(ViewerDemo, TheStartUpLogMatchesLineForLine) {
    Start();
    Finish();
    std::vector<std::string> expected = {
        "",
        "Korvel Engine version " KORVEL_VERSION "...",
        "",
        "Initialize Graphics Core...done",
        "Initialize Texture Manager...done",
        "Initialize Window Manager...done",
        "Initialize Event Manager...done",
        "Initialize Utils...done",
        "Initialize Sound Manager...done",
        "Initialize Shader Manager...done",
        "Initialize the Camera...done",
        "Initialize the Camera Manager...done",
        "Initialize the Font Manager...done",
        "",
        "Detected Video Card Vendor: ",
        "Detected Renderer: ",
        "Detected OpenGL version: ",
        "",
        "-------------========= Loading built in shaders ==========------------",
        "",
        "Loading simple texture shader...",
        "Loading simple color shader...",
        "Loading heightmap texture shader...",
        "Loading Directional Per Pixel Diffuse lightning shader...",
        "Loading Directional Per Vertex Diffuse lightning shader...",
        "Loading Point Per Pixel lightning shader...",
        "Loading Spot Per Pixel lightning shader...",
        "Loading Toon shader...",
        "Loading vertex diffuse light with texture shader...",
        "Loading pixel diffuse light with texture shader...",
        "",
        "Loading Font: Data/Font/font.tga",
        "Loading Texture: Data/MousePointer.png",
        "",
        std::string("Loading MD2 file...Loading Texture: ") + CViewerScene::kSkinPath,
        "done.Loading Texture: Data/Logo/kvxlogo.png",
    };
    std::string log = viewer->Stdout();
    std::vector<std::string> lines = Lines(log);
    ASSERT_EQ(lines.size(), expected.size()) << log;
    for (size_t i = 0; i < lines.size(); ++i) {
        // The three driver lines end with whatever the GL driver calls itself.
        bool driverLine = expected[i].rfind("Detected ", 0) == 0;
        if (driverLine) {
            EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u) << "line " << i << ": " << lines[i];
            EXPECT_GT(lines[i].size(), expected[i].size()) << "line " << i;
        } else {
            EXPECT_EQ(lines[i], expected[i]) << "line " << i;
        }
    }
    EXPECT_EQ(log.back(), '\n');
}

TEST_F(ViewerDemo, TheLogoShowsItsOwnPixelsTwoPixelsInsideTheCorner) {
    Start();
    std::string shot = Shot("screen");
    Finish();

    std::string logo = std::string(KORVEL_RUNTIME_DIR) + "/" + CViewerScene::kLogoPath;
    std::string size;
    ASSERT_EQ(RunCommand("identify -format '%w %h' " + korvel::test::ShellQuote(logo), &size), 0);
    int w = 0, h = 0;
    std::istringstream(size) >> w >> h;
    ASSERT_GT(w, 0);
    // The screen around the expected place, one pixel wider on every side.
    Rect around{kScreenWidth - 2 - w - 1, kScreenHeight - 2 - h - 1, w + 2, h + 2};
    std::vector<uint8_t> picture = RawPixels(logo, Rect{0, 0, w, h}, "rgba");
    std::vector<uint8_t> screen = RawPixels(shot, around, "rgb");
    ASSERT_EQ(picture.size(), static_cast<size_t>(w * h * 4));
    ASSERT_EQ(screen.size(), static_cast<size_t>((w + 2) * (h + 2) * 3));

    // Mean difference of the picture's opaque pixels from the screen, the picture shifted by (dx, dy)
    // from the expected place. GLU resamples the 200-pixel-wide picture to a power of two and back, so
    // the match is close rather than exact.
    auto meanDifference = [&](int dx, int dy) {
        long total = 0, count = 0;
        for (int py = 0; py < h; ++py) {
            for (int px = 0; px < w; ++px) {
                const uint8_t* p = &picture[(py * w + px) * 4];
                if (p[3] != 255) {
                    continue;
                }
                const uint8_t* q = &screen[((py + 1 + dy) * (w + 2) + px + 1 + dx) * 3];
                total += std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
                count += 3;
            }
        }
        EXPECT_GT(count, w * h * 3 / 10) << "the logo has too few opaque pixels to judge";
        return count ? static_cast<double>(total) / static_cast<double>(count) : 255.0;
    };
    double atPlace = meanDifference(0, 0);
    EXPECT_LT(atPlace, 15.0);
    EXPECT_LT(atPlace, meanDifference(-1, 0));
    EXPECT_LT(atPlace, meanDifference(1, 0));
    EXPECT_LT(atPlace, meanDifference(0, -1));
    EXPECT_LT(atPlace, meanDifference(0, 1));
}

TEST_F(ViewerDemo, EachNumberKeyChangesThePoseFromAnimationZero) {
    Start();
    std::string stand = PoseAfter("0", "stand");
    std::string standAgain = PoseAfter("0", "stand-again");
    long noise = DifferentPixels(stand, standAgain, kModelArea);
    for (int k = 1; k <= 9; ++k) {
        std::string key = std::to_string(k);
        std::string pose = PoseAfter(key, "pose" + key);
        long changed = DifferentPixels(stand, pose, kModelArea);
        EXPECT_GT(changed, std::max(1500L, 4 * noise)) << "key " << k << ", stand against itself " << noise;
    }
    Finish();
}

TEST_F(ViewerDemo, ArrowKeysTurnTheModelAndLeaveTheLogo) {
    Start();
    const std::string logoArea = "220x80+804+688";
    std::string before = PoseAfter("0", "before");
    viewer->Key("Left Left Left Left");
    std::string turned = PoseAfter("0", "turned");
    viewer->Key("Right Right Right Right");
    std::string back = PoseAfter("0", "back");
    Finish();

    long turning = DifferentPixels(before, turned, kModelArea);
    long returning = DifferentPixels(before, back, kModelArea);
    EXPECT_GT(turning, 1500);
    EXPECT_GT(turning, 4 * returning);
    EXPECT_EQ(DifferentPixels(before, turned, logoArea), 0);
}

struct MissingFile {
    const char* name;
    const char* file;
    bool onStderr;
    std::string message;
};

class ViewerMissingFile : public ViewerDemo, public ::testing::WithParamInterface<MissingFile> {};

TEST_P(ViewerMissingFile, IsReportedAndTheViewerRunsAndEndsCleanly) {
    const MissingFile& missing = GetParam();
    std::string runtime = dir.File("runtime");
    ASSERT_EQ(RunCommand("cp -r '" + std::string(KORVEL_RUNTIME_DIR) + "' '" + runtime + "'"), 0);
    ASSERT_EQ(std::remove((runtime + "/" + missing.file).c_str()), 0);

    Start(runtime);
    // Number and arrow keys on whatever did load.
    viewer->Key("3 Left 9 Right");
    usleep(300 * 1000);
    EXPECT_TRUE(viewer->Running());
    Finish();
    std::string stream = missing.onStderr ? viewer->Stderr() : viewer->Stdout();
    EXPECT_NE(stream.find(missing.message), std::string::npos) << stream;
    EXPECT_NE(viewer->Stdout().find("\nLoading MD2 file..."), std::string::npos);
    EXPECT_NE(viewer->Stdout().find("done.Loading Texture: Data/Logo/kvxlogo.png\n"), std::string::npos);
}

const MissingFile kMissingFiles[] = {
    {"Model", CViewerScene::kModelPath, true,
     std::string("Unable to find the file: ") + CViewerScene::kModelPath + "!"},
    {"Skin", CViewerScene::kSkinPath, true, std::string(" Failed loading ") + CViewerScene::kSkinPath},
    {"Logo", "Data/Logo/kvxlogo.png", false,
     "Loading Texture: Data/Logo/kvxlogo.png\nFailed to load the image: Data/Logo/kvxlogo.png, Error: "},
};

std::string MissingName(const ::testing::TestParamInfo<MissingFile>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Files, ViewerMissingFile, ::testing::ValuesIn(kMissingFiles), MissingName);

} // namespace
