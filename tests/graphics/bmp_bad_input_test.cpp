// The BMP loader on bytes in memory: the same pixels as from a file, and a clear refusal for files SDL
// decodes into something unusable.
#include "graphics/Utils.h"
#include "support/BmpBytes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

using korvel::test::BmpPatternColour;
using korvel::test::CaptureStream;
using korvel::test::MakeBmp;

namespace {

TEST(BMPFromMemoryTest, DecodesLikeTheFileBottomRowFirst) {
    korvel::test::TempDir dir;
    const std::vector<uint8_t> bytes = MakeBmp({5, 3, 24, false});
    korvel::test::WriteFile(dir.File("a.bmp"), bytes);
    CUtils utils;
    BMPImage* fromMemory = utils.LoadBMPFromMemory(bytes.data(), bytes.size(), "a.bmp");
    BMPImage* fromFile = utils.LoadBMP(dir.File("a.bmp").c_str());
    ASSERT_NE(fromMemory, nullptr);
    ASSERT_NE(fromFile, nullptr);
    ASSERT_EQ(fromMemory->width, 5);
    ASSERT_EQ(fromMemory->height, 3);
    EXPECT_EQ(fromMemory->pixels, fromFile->pixels);
    // Pixel 0 is the bottom-left corner: pattern row 2.
    const korvel::test::BmpColour corner = BmpPatternColour(0, 2);
    EXPECT_EQ(fromMemory->pixels[0], corner.r);
    EXPECT_EQ(fromMemory->pixels[1], corner.g);
    EXPECT_EQ(fromMemory->pixels[2], corner.b);
    CUtils::FreeBMP(fromMemory);
    CUtils::FreeBMP(fromFile);
}

TEST(BMPFromMemoryTest, DepthsBeyondEightBitsAreRefusedNotDecodedFromGarbage) {
    // SDL keeps only the depth's low byte. 4096 bits per pixel became a surface without pixels, from
    // which the loader "decoded" width x height pixels (a hundred million for a 150-byte file); 0xFA18
    // became 24 bits of 67 bytes each, which the loader assembled with shifts past 32 bits.
    for (uint16_t depth : {0x1000, 0xFA18}) {
        std::vector<uint8_t> bytes = MakeBmp({1, 1, 24, false});
        bytes.resize(bytes.size() + 64, 0x30); // enough for one row of 67-byte pixels
        bytes[28] = static_cast<uint8_t>(depth);
        bytes[29] = static_cast<uint8_t>(depth >> 8);
        CUtils utils;
        CaptureStream err(STDERR_FILENO);
        BMPImage* image = utils.LoadBMPFromMemory(bytes.data(), bytes.size(), "deep.bmp");
        const std::string said = err.Text();
        EXPECT_EQ(image, nullptr) << depth;
        CUtils::FreeBMP(image);
        // SDL 2's reader refuses such depths itself, with its own reason.
        EXPECT_EQ(said.rfind(" Failed loading deep.bmp : ", 0), 0u) << said;
        if (!korvel::test::SdlIsCompatibilityLayer()) {
            EXPECT_EQ(said, " Failed loading deep.bmp : BMP pixel depth not supported\n") << depth;
        }
    }
}

TEST(BMPFromMemoryTest, TopDownHeightOfMinusTwoToThe31IsRefused) {
    // SDL negates the height of a top-down file into -2^31 again and hands back that surface; the
    // loader then asked for width x height x 3 bytes, a size past any allocator.
    std::vector<uint8_t> bytes = MakeBmp({1, 1, 32, false});
    for (int i = 0; i < 4; ++i) {
        bytes[22 + i] = static_cast<uint8_t>(0x80000000u >> (8 * i));
    }
    CUtils utils;
    CaptureStream err(STDERR_FILENO);
    BMPImage* image = utils.LoadBMPFromMemory(bytes.data(), bytes.size(), "tall.bmp");
    const std::string said = err.Text();
    EXPECT_EQ(image, nullptr);
    CUtils::FreeBMP(image);
    EXPECT_EQ(said.rfind(" Failed loading tall.bmp : ", 0), 0u) << said;
    if (!korvel::test::SdlIsCompatibilityLayer()) {
        EXPECT_EQ(said, " Failed loading tall.bmp : BMP file with bad dimensions (1x-2147483648)\n");
    }
}

TEST(BMPFromMemoryTest, TruncatedAndEmptyInputsAreRefused) {
    const std::vector<uint8_t> whole = MakeBmp({4, 3, 24, false});
    CUtils utils;
    for (size_t size : {size_t(0), size_t(1), size_t(14), size_t(40), whole.size() - 1}) {
        CaptureStream err(STDERR_FILENO);
        BMPImage* image = utils.LoadBMPFromMemory(whole.data(), size, "cut.bmp");
        const std::string said = err.Text();
        EXPECT_EQ(image, nullptr) << size << " bytes";
        CUtils::FreeBMP(image);
        EXPECT_EQ(said.rfind(" Failed loading cut.bmp : ", 0), 0u) << said;
    }
}

} // namespace
