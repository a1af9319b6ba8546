// The animated model in a live engine: its key-frame clock on a driven tick source, animation
// selection, the matrix stack, and a textured model read back from the frame buffer.
#include "models/MD2Model.h"
#include "support/EngineFixture.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include "base/GL.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

using korvel::test::Md2Frame;
using korvel::test::Md2Writer;
using korvel::test::TempDir;

namespace {

std::atomic<long> allocations{0};
uint32_t fakeTicks = 0;

uint32_t FakeTicks() {
    return fakeTicks;
}

} // namespace

// Counts every allocation of the test program, to show that drawing a frame makes none. Every plain
// form of new and delete is replaced, so that they all pair up on malloc and free.
namespace {

void* CountedAlloc(std::size_t size) {
    ++allocations;
    return std::malloc(size ? size : 1);
}

void* CheckedAlloc(std::size_t size) {
    void* p = CountedAlloc(size);
    if (!p) {
        std::abort();
    }
    return p;
}

} // namespace

void* operator new(std::size_t size) {
    return CheckedAlloc(size);
}
void* operator new[](std::size_t size) {
    return CheckedAlloc(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

class MD2ModelTest : public korvel::test::EngineTest {
protected:
    void SetUp() override {
        fakeTicks = 1000;
        CMD2Model::SetTickSource(FakeTicks);
        ClearFrame();
    }
    void TearDown() override { CMD2Model::SetTickSource(nullptr); }

    // Loads a model written by the test writer from a temporary file.
    void LoadModel(CMD2Model& model, const Md2Writer& writer, const char* skin = nullptr) {
        std::string path = dir.File("model.md2");
        ASSERT_TRUE(writer.Write(path));
        ASSERT_TRUE(model.Load(path.c_str(), skin));
    }

    // A 2 x 2 square facing the viewer, from -1 to 1 on x and y, mapped onto the whole 64 x 64 skin.
    // Frame i is moved i units along x.
    static Md2Writer Square(const std::vector<std::string>& names) {
        Md2Writer writer;
        writer.skinWidth = 64;
        writer.skinHeight = 64;
        writer.texCoords = {{{0, 64}}, {{64, 64}}, {{64, 0}}, {{0, 0}}};
        // Wound clockwise as the viewer sees it, so the face normals point at the viewer.
        writer.triangles = {{{{0, 2, 1}}, {{0, 2, 1}}}, {{{0, 3, 2}}, {{0, 3, 2}}}};
        for (size_t i = 0; i < names.size(); ++i) {
            Md2Frame frame;
            frame.name = names[i];
            frame.translate = {{-1.0f + static_cast<float>(i), 0.0f, -1.0f}};
            frame.vertices = {{{0, 0, 0}}, {{2, 0, 0}}, {{2, 0, 2}}, {{0, 0, 2}}};
            writer.frames.push_back(frame);
        }
        return writer;
    }

    // A skin split into quarters: red top-left, blue top-right, green bottom-left, yellow bottom-right.
    std::string QuarterSkin() {
        std::string path = dir.File("skin.bmp");
        std::string command = "convert -size 32x32 xc:'#ff0000' xc:'#0000ff' +append \\( -size 32x32 "
                              "xc:'#00ff00' xc:'#ffff00' +append \\) -append -type truecolor BMP3:" +
                              path;
        EXPECT_EQ(0, korvel::test::RunCommand(command));
        return path;
    }

    // The leftmost column of a row that is not black, or -1.
    static int LeftEdge(int y) {
        for (int x = 0; x < 1024; ++x) {
            auto p = Pixel(x, y);
            if (p[0] + p[1] + p[2] > 30) {
                return x;
            }
        }
        return -1;
    }

    static std::vector<std::string> Names(const std::string& base, int count) {
        std::vector<std::string> names;
        for (int i = 1; i <= count; ++i) {
            names.push_back(base + std::to_string(i));
        }
        return names;
    }

    TempDir dir;
};

enum Hue { Black, Red, Blue, Green, Yellow, Other };

Hue HueOf(std::array<uint8_t, 4> p) {
    auto high = [](uint8_t c) { return c > 60; };
    auto low = [](uint8_t c) { return c < 20; };
    if (low(p[0]) && low(p[1]) && low(p[2])) {
        return Black;
    }
    if (high(p[0]) && low(p[1]) && low(p[2])) {
        return Red;
    }
    if (low(p[0]) && low(p[1]) && high(p[2])) {
        return Blue;
    }
    if (low(p[0]) && high(p[1]) && low(p[2])) {
        return Green;
    }
    if (high(p[0]) && high(p[1]) && low(p[2])) {
        return Yellow;
    }
    return Other;
}

} // namespace

TEST_F(MD2ModelTest, KeyFramesAdvanceOncePerDrawAndLoopWithinTheAnimation) {
    std::vector<std::string> names = Names("stand", 40);
    for (const std::string& run : Names("run", 6)) {
        names.push_back(run);
    }
    CMD2Model model;
    LoadModel(model, Md2Writer::NamedFrames(names));
    // The first draw measures from tick 0: one key frame on.
    model.Render();
    EXPECT_EQ(1, model.GetData().currentFrame);
    // Three periods between two draws still move one key frame.
    fakeTicks += 600;
    model.Render();
    EXPECT_EQ(2, model.GetData().currentFrame);
    fakeTicks += 199;
    model.Render();
    EXPECT_EQ(2, model.GetData().currentFrame);

    model.SetAnimation(1);
    EXPECT_EQ(40, model.GetData().currentFrame);
    std::vector<int> played;
    for (int i = 0; i < 6; ++i) {
        fakeTicks += 200;
        model.Render();
        played.push_back(model.GetData().currentFrame);
    }
    // run is the file's last animation: its end frame 45 is inclusive and shown before 40 again.
    EXPECT_EQ((std::vector<int>{41, 42, 43, 44, 45, 40}), played);
}

TEST_F(MD2ModelTest, UpdateTimeSwitchesAtTheEndOfAPeriodAndClampsItsFactor) {
    CMD2Model model;
    LoadModel(model, Md2Writer::NamedFrames(Names("a", 3)));
    EXPECT_FLOAT_EQ(1.0f, model.UpdateTime(1));
    EXPECT_EQ(1, model.GetData().currentFrame);
    fakeTicks += 50;
    EXPECT_FLOAT_EQ(0.25f, model.UpdateTime(0));
    EXPECT_EQ(1, model.GetData().currentFrame);
    fakeTicks += 250;
    EXPECT_FLOAT_EQ(1.0f, model.UpdateTime(0));
    EXPECT_EQ(0, model.GetData().currentFrame);
    fakeTicks += 10;
    EXPECT_FLOAT_EQ(0.05f, model.UpdateTime(1));
}

TEST_F(MD2ModelTest, TheClockStaysExactAfterDaysOfUptimeAndAcrossTheTickWrap) {
    CMD2Model model;
    LoadModel(model, Md2Writer::NamedFrames(Names("a", 3)));
    // Almost 25 days of uptime: a float holds such tick counts only to 256 ms.
    fakeTicks = 0x80000000u;
    model.UpdateTime(1);
    fakeTicks += 100;
    EXPECT_FLOAT_EQ(0.5f, model.UpdateTime(0));
    EXPECT_EQ(1, model.GetData().currentFrame);

    // The counter wraps after 49.7 days; the animation goes on stepping.
    fakeTicks = 0xFFFFFFF0u;
    EXPECT_FLOAT_EQ(1.0f, model.UpdateTime(0));
    EXPECT_EQ(0, model.GetData().currentFrame);
    fakeTicks += 100;
    EXPECT_FLOAT_EQ(0.5f, model.UpdateTime(1));
    fakeTicks += 100;
    EXPECT_FLOAT_EQ(1.0f, model.UpdateTime(1));
    EXPECT_EQ(1, model.GetData().currentFrame);
}

TEST_F(MD2ModelTest, SetAnimationWrapsBothWays) {
    std::vector<std::string> names;
    for (char c = 'a'; c <= 'j'; ++c) {
        names.push_back(std::string(1, c) + "1");
        names.push_back(std::string(1, c) + "2");
    }
    CMD2Model model;
    LoadModel(model, Md2Writer::NamedFrames(names));
    ASSERT_EQ(10, model.GetData().animationCount);
    model.SetAnimation(12);
    EXPECT_EQ(2, model.GetData().currentAnimation);
    EXPECT_EQ(4, model.GetData().currentFrame);
    model.SetAnimation(-1);
    EXPECT_EQ(9, model.GetData().currentAnimation);
    EXPECT_EQ(18, model.GetData().currentFrame);
}

TEST_F(MD2ModelTest, SingleFrameModelStandsStill) {
    CMD2Model model;
    LoadModel(model, Md2Writer::NamedFrames({"pose"}));
    model.SetAnimation(3);
    fakeTicks += 5000;
    model.Render();
    EXPECT_EQ(0, model.GetData().currentFrame);
    EXPECT_EQ(0, model.GetData().currentAnimation);
}

TEST_F(MD2ModelTest, RenderLeavesTheMatrixStackAsItFoundIt) {
    GLint depthBefore = 0, depthAfter = 0;
    GLfloat before[16], after[16];
    glTranslatef(1, 2, 3);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    glGetFloatv(GL_MODELVIEW_MATRIX, before);

    CMD2Model empty;
    empty.SetPosition(5, 5, 5);
    empty.Render();
    {
        korvel::test::CaptureStream err(2);
        CMD2Model missing;
        EXPECT_FALSE(missing.Load(dir.File("missing.md2").c_str(), "skin.bmp"));
        missing.Render();
    }
    CMD2Model model;
    LoadModel(model, Md2Writer::NamedFrames(Names("a", 3)));
    model.SetRotation(30);
    model.Render();
    // Without a skin the default texture is bound.
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(0, bound);

    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(depthBefore, depthAfter);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(before[i], after[i]);
    }
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(MD2ModelTest, DrawsTheSkinnedModelWhereItsPlacementPutsIt) {
    CMD2Model model;
    std::string skin = QuarterSkin();
    {
        korvel::test::CaptureStream out(1);
        LoadModel(model, Square({"pose"}), skin.c_str());
    }
    EXPECT_NE(0u, model.GetTexture());
    // 5 units away the square spans 133 pixels either side of the centre (60 degree field of view).
    model.SetPosition(0, 0, -5);
    model.Render();
    EXPECT_EQ(Red, HueOf(Pixel(512 - 60, 384 - 60)));
    EXPECT_EQ(Blue, HueOf(Pixel(512 + 60, 384 - 60)));
    EXPECT_EQ(Green, HueOf(Pixel(512 - 60, 384 + 60)));
    EXPECT_EQ(Yellow, HueOf(Pixel(512 + 60, 384 + 60)));
    EXPECT_EQ(Black, HueOf(Pixel(512 - 150, 384)));
    EXPECT_EQ(Black, HueOf(Pixel(512, 384 - 150)));

    // Scaled about its own origin, turned half round (mirroring it), then moved one unit right:
    // x from 0.5 to 1.5 and y from -0.5 to 0.5, red now on the right.
    ClearFrame();
    model.SetScale(0.5f, 0.5f, 0.5f);
    model.SetRotation(180);
    model.SetPosition(1, 0, -5);
    model.Render();
    EXPECT_EQ(Red, HueOf(Pixel(690, 384 - 30)));
    EXPECT_EQ(Blue, HueOf(Pixel(600, 384 - 30)));
    EXPECT_EQ(Yellow, HueOf(Pixel(600, 384 + 30)));
    EXPECT_EQ(Black, HueOf(Pixel(540, 384)));
    EXPECT_EQ(Black, HueOf(Pixel(690, 384 - 100)));
}

TEST_F(MD2ModelTest, PositionsAreInterpolatedAndTheFirstDrawStopsAtTheNextKeyFrame) {
    CMD2Model model;
    std::string skin = QuarterSkin();
    {
        korvel::test::CaptureStream out(1);
        LoadModel(model, Square(Names("slide", 3)), skin.c_str());
    }
    model.SetPosition(0, 0, -5);
    // The first draw is 1000 ms after tick 0; the factor stops at 1, on frame 1 (moved one unit).
    model.Render();
    EXPECT_NEAR(512, LeftEdge(384 - 30), 2);
    // Half a period later: halfway from frame 1 on to frame 2, the last animation's inclusive end.
    ClearFrame();
    fakeTicks += 100;
    model.Render();
    EXPECT_NEAR(512 + 66.5, LeftEdge(384 - 30), 2);
}

TEST_F(MD2ModelTest, DrawingAFrameAllocatesNothing) {
    CMD2Model model;
    LoadModel(model, Md2Writer::RandomMesh(200, 400, 8, 7));
    model.SetPosition(0, 0, -300);
    // The GL driver may allocate now and then (it compiles state variants on first use), so the test
    // asks for draws that allocate nothing at all, both on a key-frame switch and between switches;
    // an allocation of the model's own would show in every draw of its kind.
    bool quietSwitch = false;
    bool quietBetween = false;
    for (int i = 0; i < 30; ++i) {
        int frame = model.GetData().currentFrame;
        fakeTicks += 70;
        long before = allocations.load();
        model.Render();
        bool quiet = allocations.load() == before;
        if (model.GetData().currentFrame != frame) {
            quietSwitch = quietSwitch || quiet;
        } else {
            quietBetween = quietBetween || quiet;
        }
    }
    EXPECT_TRUE(quietSwitch);
    EXPECT_TRUE(quietBetween);
}

namespace {

TEST_F(MD2ModelTest, WithoutASkinPathTheSkinTheModelNamesIsFoundBesideIt) {
    const std::string quarter = QuarterSkin();
    // The table's name, and the file beside the model that it must lead to.
    const std::pair<std::string, std::string> cases[] = {{".quarter", "quarter.png"},
                                                         {"models/x/QUARTER.PCX", "quarter.pcx"},
                                                         {"quarter.005", "quarter.005.jpg"}};
    for (const auto& [entry, file] : cases) {
        SCOPED_TRACE(entry);
        const std::string folder = dir.File(file + ".d/");
        std::filesystem::create_directories(folder);
        ASSERT_EQ(0, korvel::test::RunCommand("convert " + quarter + " " + folder + file));
        Md2Writer writer = Square({"pose"});
        writer.skins = {"gone.pcx", entry};
        ASSERT_TRUE(writer.Write(folder + "tris.md2"));

        CMD2Model model;
        {
            korvel::test::CaptureStream out(1);
            ASSERT_TRUE(model.Load((folder + "tris.md2").c_str(), nullptr));
        }
        ASSERT_NE(0u, model.GetTexture());
        ClearFrame();
        model.SetPosition(0, 0, -5);
        model.Render();
        EXPECT_EQ(Red, HueOf(Pixel(512 - 60, 384 - 60)));
        EXPECT_EQ(Yellow, HueOf(Pixel(512 + 60, 384 + 60)));
    }
}

} // namespace
