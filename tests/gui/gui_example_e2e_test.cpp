// gui-example on its own virtual display, driven with xdotool and judged from its output and from
// screenshots.
#include "support/TestSupport.h"
#include "support/XSession.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <thread>

using namespace korvel::test;

namespace {

const std::string kProgram = std::string(KORVEL_BIN_DIR) + "/gui-example";
const std::string kTitle = "Korvel Engine - GUI Example";
// The example's window: 400 x 300 at (312, 184), with a 24-pixel title bar.
const int kLeft = 312, kTop = 184, kWidth = 400, kHeight = 300;

struct Rect {
    int x, y, w, h;
};

void Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The "widget ID at X Y size W H" lines, by id.
std::map<int, Rect> Widgets(const std::string& log) {
    std::map<int, Rect> widgets;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        int id = 0;
        Rect r{};
        if (std::sscanf(line.c_str(), "widget %d at %d %d size %d %d", &id, &r.x, &r.y, &r.w, &r.h) == 5) {
            widgets[id] = r;
        }
    }
    return widgets;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

std::array<int, 3> PixelOf(const std::string& png, int x, int y) {
    std::string out;
    RunCommand("convert " + png + " -crop 1x1+" + std::to_string(x) + "+" + std::to_string(y) +
                   " -depth 8 txt:- 2>/dev/null",
               &out);
    std::array<int, 3> rgb{-1, -1, -1};
    size_t open = out.find('(', out.find('\n'));
    if (open != std::string::npos) {
        std::sscanf(out.c_str() + open, "(%d,%d,%d", &rgb[0], &rgb[1], &rgb[2]);
    }
    return rgb;
}

class GuiExample : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.Ok());
        program =
            std::make_unique<ProgramRun>(display, kProgram, std::vector<std::string>{}, KORVEL_RUNTIME_DIR);
        ASSERT_TRUE(program->WaitForWindow(kTitle)) << program->Stdout() << program->Stderr();
        ASSERT_TRUE(program->WaitForOutput("widget 3 at ")) << program->Stdout();
        widgets = Widgets(program->Stdout());
    }

    // Runs xdotool with the arguments, then lets a few frames go by.
    void Xdo(const std::string& args, int settleMs = 300) {
        display.Run("xdotool " + args + " >/dev/null 2>&1");
        Pause(settleMs);
    }

    std::string Shot(const std::string& name) {
        std::string path = dir.File(name + ".png");
        EXPECT_TRUE(display.Screenshot(path));
        return path;
    }

    std::string Crop(const std::string& png, int x, int y, int w, int h) {
        std::string out = png + "-" + std::to_string(x) + "-" + std::to_string(y) + ".png";
        EXPECT_EQ(RunCommand("convert " + png + " -crop " + std::to_string(w) + "x" + std::to_string(h) +
                             "+" + std::to_string(x) + "+" + std::to_string(y) + " +repage " + out),
                  0);
        return out;
    }

    void EndWithEscape() {
        program->Key("Escape");
        EXPECT_EQ(program->Wait(), 0) << program->Stderr();
    }

    VirtualDisplay display;
    TempDir dir;
    std::unique_ptr<ProgramRun> program;
    std::map<int, Rect> widgets;
};

TEST_F(GuiExample, PrintsTheWidgetRectanglesInWindowPixels) {
    ASSERT_EQ(widgets.size(), 3u) << program->Stdout();
    for (int id : {1, 2, 3}) {
        const Rect& r = widgets[id];
        SCOPED_TRACE(id);
        EXPECT_GE(r.x, kLeft);
        EXPECT_GE(r.y, kTop + 24);
        EXPECT_LE(r.x + r.w, kLeft + kWidth);
        EXPECT_LE(r.y + r.h, kTop + kHeight);
        EXPECT_GT(r.w, 0);
        EXPECT_GT(r.h, 0);
    }
    EXPECT_EQ(Count(program->Stdout(), "clicked"), 0u);
    EndWithEscape();
}

TEST_F(GuiExample, ClickingButtonOnePrintsClickedOneOnce) {
    const Rect& ok = widgets[1];
    Xdo("mousemove " + std::to_string(ok.x + ok.w / 2) + " " + std::to_string(ok.y + ok.h / 2));
    Xdo("click 1", 500);
    ASSERT_TRUE(program->WaitForOutput("clicked 1\n", 5.0)) << program->Stdout();
    Pause(500);
    EXPECT_EQ(Count(program->Stdout(), "clicked"), 1u) << program->Stdout();
    EndWithEscape();
}

TEST_F(GuiExample, CheckBoxClickedTwiceIsCheckedThenUnchecked) {
    const Rect& box = widgets[3];
    // Click near the bottom-right corner: the pointer is drawn right and below the mouse, off the mark.
    Xdo("mousemove " + std::to_string(box.x + box.w - 3) + " " + std::to_string(box.y + box.h - 3));
    // A point on the check mark's stroke.
    const int markX = box.x + 16, markY = box.y + 13;
    std::array<int, 3> before = PixelOf(Shot("before"), markX, markY);

    Xdo("click 1", 600);
    ASSERT_TRUE(program->WaitForOutput("clicked 3\n", 5.0)) << program->Stdout();
    std::array<int, 3> checked = PixelOf(Shot("checked"), markX, markY);

    Xdo("click 1", 600);
    EXPECT_EQ(Count(program->Stdout(), "clicked 3\n"), 2u) << program->Stdout();
    std::array<int, 3> unchecked = PixelOf(Shot("unchecked"), markX, markY);

    EXPECT_LT(before[1], 100) << "an unchecked box is dark inside";
    EXPECT_GT(checked[1], 200) << "the green check mark shows";
    EXPECT_GT(checked[1], checked[0] + 40);
    EXPECT_LT(unchecked[1], 100);
    EXPECT_EQ(Count(program->Stdout(), "clicked"), 2u);
    EndWithEscape();
}

TEST_F(GuiExample, DraggingTheTitleBarMovesTheWindowByTheMouseMotion) {
    Xdo("mousemove 1000 750");
    std::string before = Shot("before");
    const int grabX = kLeft + 150, grabY = kTop + 10;
    Xdo("mousemove " + std::to_string(grabX) + " " + std::to_string(grabY));
    Xdo("mousedown 1");
    Xdo("mousemove " + std::to_string(grabX + 100) + " " + std::to_string(grabY + 50), 500);
    Xdo("mouseup 1");
    Xdo("mousemove 1000 750", 500);
    std::string after = Shot("after");

    std::string was = Crop(before, kLeft, kTop, kWidth, kHeight);
    std::string moved = Crop(after, kLeft + 100, kTop + 50, kWidth, kHeight);
    std::string stayed = Crop(after, kLeft, kTop, kWidth, kHeight);
    EXPECT_LT(ImageDifference(was, moved, 0, 0, kWidth, kHeight), 1.0);
    EXPECT_GT(ImageDifference(was, stayed, 0, 0, kWidth, kHeight), 10.0);
    EXPECT_EQ(Count(program->Stdout(), "clicked"), 0u);
    EndWithEscape();
}

} // namespace
