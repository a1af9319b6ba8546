// Frame timing and BMP decoding: the clock is driven through the tick seam, BMP files are written by
// ImageMagick.
#include "graphics/Utils.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

using korvel::test::CaptureStream;
using korvel::test::RunCommand;
using korvel::test::TempDir;

namespace {

uint32_t fakeTicks = 0;
uint32_t FakeTicks() {
    return fakeTicks;
}

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUtils::ResetTiming();
        CUtils::SetTickSource(FakeTicks);
    }
    void TearDown() override { CUtils::SetTickSource(nullptr); }
};

TEST_F(FrameTimerTest, FramesTenMillisecondsApartReportOncePerSecond) {
    CUtils utils;
    fakeTicks = 5000;
    utils.UpdateFPS();
    // More than a second since the clock started: the first call reports at once, one frame.
    EXPECT_EQ(utils.GetFPS(), 1);
    EXPECT_STREQ(utils.GetFPSText(), " Current FPS: 1");

    for (int frame = 1; frame <= 250; ++frame) {
        fakeTicks = 5000 + frame * 10;
        utils.UpdateFPS();
        EXPECT_NEAR(utils.GetFrameTime(), 0.01f, 0.001f);
        if (frame == 90) {
            EXPECT_EQ(utils.GetFPS(), 1) << "the rate changes only once per second";
        }
    }
    // About a hundred frames of 10 ms fill each interval of a little more than a second.
    EXPECT_GE(utils.GetFPS(), 100);
    EXPECT_LE(utils.GetFPS(), 101);
    EXPECT_EQ(std::string(utils.GetFPSText()), " Current FPS: " + std::to_string(utils.GetFPS()));
}

TEST_F(FrameTimerTest, FpsStaysUntilTheIntervalIsOver) {
    CUtils utils;
    fakeTicks = 500;
    utils.UpdateFPS();
    EXPECT_EQ(utils.GetFPS(), 0) << "less than a second since the clock started: no report yet";
    EXPECT_FLOAT_EQ(utils.GetFrameTime(), 0.5f);
    fakeTicks = 1000;
    utils.UpdateFPS();
    EXPECT_EQ(utils.GetFPS(), 0) << "exactly one second is not more than one second";
    fakeTicks = 1001;
    utils.UpdateFPS();
    EXPECT_EQ(utils.GetFPS(), 3);
}

TEST_F(FrameTimerTest, FrameTimeStaysExactAfterHoursAndAcrossTheTickCounterWrap) {
    CUtils utils;
    // 28 hours in, seconds held in a float move in steps of about 8 ms; at the wrap of the 32-bit
    // millisecond counter (49.7 days) the clock runs backwards.
    for (uint32_t start : {100000000u, 0xFFFFFF00u}) {
        SCOPED_TRACE(start);
        CUtils::ResetTiming();
        fakeTicks = start;
        utils.UpdateFPS();
        for (uint32_t frame = 1; frame <= 250; ++frame) {
            fakeTicks = start + frame * 10;
            utils.UpdateFPS();
            ASSERT_NEAR(utils.GetFrameTime(), 0.01f, 0.0001f) << "frame " << frame;
        }
        // The rate is still measured after the wrap.
        EXPECT_GE(utils.GetFPS(), 100);
        EXPECT_LE(utils.GetFPS(), 101);
    }
}

// Writes a small picture as a plain-text PPM and lets ImageMagick turn it into a BMP.
std::string MakeBMP(const TempDir& dir, const std::string& name, int w, int h, const std::string& pixels,
                    const std::string& options) {
    std::string ppm = dir.File(name + ".ppm");
    FILE* f = std::fopen(ppm.c_str(), "w");
    std::fprintf(f, "P3\n%d %d\n255\n%s\n", w, h, pixels.c_str());
    std::fclose(f);
    std::string bmp = dir.File(name + ".bmp");
    std::string out;
    EXPECT_EQ(RunCommand("convert " + ppm + " " + options + bmp + " 2>&1", &out), 0) << out;
    return bmp;
}

struct RGB {
    int r, g, b;
};

void ExpectPixel(const BMPImage* image, int index, RGB want) {
    const unsigned char* p = image->pixels.data() + index * 3;
    EXPECT_EQ(p[0], want.r) << "pixel " << index;
    EXPECT_EQ(p[1], want.g) << "pixel " << index;
    EXPECT_EQ(p[2], want.b) << "pixel " << index;
}

class BMPTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(0), 0); }
    void TearDown() override { SDL_Quit(); }
    TempDir dir;
    CUtils utils;
};

TEST_F(BMPTest, TwentyFourBitRowsComeOutRgbBottomRowFirst) {
    // 4 x 2: rows of 12 bytes need no padding. Top row red, green, blue, white; bottom row greys.
    std::string bmp = MakeBMP(dir, "a", 4, 2,
                              "255 0 0  0 255 0  0 0 255  255 255 255\n"
                              "10 10 10  20 20 20  30 30 30  40 40 40",
                              "-type TrueColor BMP3:");
    BMPImage* image = utils.LoadBMP(bmp.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->channels, 3);
    EXPECT_EQ(image->width, 4);
    EXPECT_EQ(image->height, 2);
    ExpectPixel(image, 0, {10, 10, 10});
    ExpectPixel(image, 3, {40, 40, 40});
    ExpectPixel(image, 4, {255, 0, 0});
    ExpectPixel(image, 5, {0, 255, 0});
    ExpectPixel(image, 6, {0, 0, 255});
    CUtils::FreeBMP(image);
}

TEST_F(BMPTest, PaddedRowsLoadUnskewed) {
    // 3 x 3 at 24 bits: 9 bytes of pixels in rows padded to 12.
    std::string bmp = MakeBMP(dir, "b", 3, 3,
                              "255 0 0  0 255 0  0 0 255\n"
                              "1 2 3  4 5 6  7 8 9\n"
                              "200 100 50  50 100 200  90 90 90",
                              "-type TrueColor BMP3:");
    BMPImage* image = utils.LoadBMP(bmp.c_str());
    ASSERT_NE(image, nullptr);
    ExpectPixel(image, 0, {200, 100, 50});
    ExpectPixel(image, 2, {90, 90, 90});
    ExpectPixel(image, 3, {1, 2, 3});
    ExpectPixel(image, 5, {7, 8, 9});
    ExpectPixel(image, 6, {255, 0, 0});
    ExpectPixel(image, 8, {0, 0, 255});
    CUtils::FreeBMP(image);
}

TEST_F(BMPTest, PalettisedImagesConvertThroughThePalette) {
    std::string bmp = MakeBMP(dir, "c", 2, 2, "255 0 0  0 0 255\n0 255 0  255 255 0", "-type Palette BMP3:");
    BMPImage* image = utils.LoadBMP(bmp.c_str());
    ASSERT_NE(image, nullptr);
    ExpectPixel(image, 0, {0, 255, 0});
    ExpectPixel(image, 1, {255, 255, 0});
    ExpectPixel(image, 2, {255, 0, 0});
    ExpectPixel(image, 3, {0, 0, 255});
    CUtils::FreeBMP(image);
}

TEST_F(BMPTest, OneRowImageIsNotFlipped) {
    std::string bmp = MakeBMP(dir, "d", 3, 1, "1 1 1  2 2 2  3 3 3", "-type TrueColor BMP3:");
    BMPImage* image = utils.LoadBMP(bmp.c_str());
    ASSERT_NE(image, nullptr);
    ExpectPixel(image, 0, {1, 1, 1});
    ExpectPixel(image, 2, {3, 3, 3});
    CUtils::FreeBMP(image);
}

TEST_F(BMPTest, MissingFileReportsOnBothStreamsAndCreatesNoTexture) {
    std::string path = dir.File("missing.bmp");
    CaptureStream out(STDOUT_FILENO);
    CaptureStream err(STDERR_FILENO);
    unsigned int texture = utils.LoadBMPTexture(path.c_str());
    std::string outText = out.Text();
    std::string errText = err.Text();
    EXPECT_EQ(texture, 0u);
    EXPECT_EQ(
        outText.rfind("Loading Texture: " + path + "\nFailed to load the image: " + path + ", Error: ", 0),
        0u)
        << outText;
    EXPECT_EQ(errText.rfind(" Failed loading " + path + " : ", 0), 0u) << errText;
}

} // namespace

TEST_F(BMPTest, NullFileNameIsReportedAsAnEmptyNameAndBothStreamsStayUsable) {
    CaptureStream out(STDOUT_FILENO);
    CaptureStream err(STDERR_FILENO);
    unsigned int texture = utils.LoadBMPTexture(nullptr);
    BMPImage* image = utils.LoadBMPFromMemory(nullptr, 0, nullptr);
    std::cout << "after" << std::endl;
    std::cerr << "after" << std::endl;
    std::string outText = out.Text();
    std::string errText = err.Text();
    EXPECT_EQ(texture, 0u);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(outText.rfind("Loading Texture: \nFailed to load the image: , Error: ", 0), 0u) << outText;
    EXPECT_EQ(errText.rfind(" Failed loading  : ", 0), 0u) << errText;
    EXPECT_NE(outText.find("\nafter\n"), std::string::npos) << outText;
    EXPECT_NE(errText.find("\nafter\n"), std::string::npos) << errText;
    std::cout.clear();
    std::cerr.clear();
}
