// Decoding TGA files without OpenGL: pixels against the source, both types and depths, both row
// orders, ID fields, and every failure with its message.
#include "support/TestSupport.h"
#include "support/TgaWriter.h"
#include "textures/TGATexture.h"

#include <gtest/gtest.h>
#include <string>

using namespace korvel::test;

namespace {

std::vector<uint8_t> Decoded(const CTGATexture& tga) {
    return tga.image.pixels;
}

// Decodes bytes from a file; returns what the loader printed.
std::string DecodeBytes(const std::vector<uint8_t>& bytes, CTGATexture& tga, bool* ok = nullptr) {
    TempDir dir;
    std::string path = dir.File("t.tga");
    WriteFile(path, bytes);
    CaptureStream out(1);
    bool decoded = tga.DecodeFile(path.c_str());
    if (ok) {
        *ok = decoded;
    }
    std::string text = out.Text();
    const std::string prefix = dir.Path() + "/";
    for (size_t at; (at = text.find(prefix)) != std::string::npos;) {
        text.erase(at, prefix.size());
    }
    return text;
}

// The message a malformed file produces; it must also fail and leave no pixel buffer.
std::string Failure(const std::vector<uint8_t>& bytes) {
    CTGATexture tga;
    bool ok = true;
    std::string text = DecodeBytes(bytes, tga, &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(tga.image.Empty());
    CTGATexture fromMemory;
    CaptureStream out(1);
    EXPECT_FALSE(fromMemory.DecodeMemory(bytes.data(), bytes.size(), "t.tga"));
    EXPECT_EQ(out.Text(), text) << "memory and file decoding disagree";
    return text;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(TgaDecode, ReordersTheFirstPixelAndChoosesTheFormat) {
    CTGATexture rgb;
    ASSERT_EQ(DecodeBytes(TgaHeader(2, 1, 1, 24) + std::vector<uint8_t>{0x10, 0x20, 0x30}, rgb), "");
    EXPECT_EQ(Decoded(rgb), (std::vector<uint8_t>{0x30, 0x20, 0x10}));
    EXPECT_EQ(rgb.format, 0x1907u);
    EXPECT_EQ(rgb.bpp, 24u);

    CTGATexture rgba;
    ASSERT_EQ(DecodeBytes(TgaHeader(2, 1, 1, 32) + std::vector<uint8_t>{0x10, 0x20, 0x30, 0x40}, rgba), "");
    EXPECT_EQ(Decoded(rgba), (std::vector<uint8_t>{0x30, 0x20, 0x10, 0x40}));
    EXPECT_EQ(rgba.format, 0x1908u);
}

TEST(TgaDecode, EveryLayoutRoundTripsPixelForPixel) {
    // An odd width makes 24-bit rows that are not a multiple of 4 bytes.
    const int width = 37, height = 23;
    for (int bytesPerPixel : {3, 4}) {
        std::vector<uint8_t> source = TestPicture(width, height, bytesPerPixel);
        for (bool runLength : {false, true}) {
            for (bool topDown : {false, true}) {
                for (uint8_t idLength : {0, 255}) {
                    SCOPED_TRACE(::testing::Message()
                                 << bytesPerPixel << " bytes, rle " << runLength << ", top-down " << topDown
                                 << ", id " << int(idLength));
                    TgaOptions options{runLength, topDown, idLength};
                    std::vector<uint8_t> bytes = MakeTga(width, height, bytesPerPixel, source, options);
                    CTGATexture tga;
                    EXPECT_EQ(DecodeBytes(bytes, tga), "");
                    EXPECT_EQ(tga.width, width);
                    EXPECT_EQ(tga.height, height);
                    EXPECT_TRUE(Decoded(tga) == source);
                    CTGATexture fromMemory;
                    ASSERT_TRUE(fromMemory.DecodeMemory(bytes.data(), bytes.size(), "mem"));
                    EXPECT_TRUE(Decoded(fromMemory) == source);
                }
            }
        }
    }
}

TEST(TgaDecode, OneRunPacketFillsA128PixelImage) {
    CTGATexture tga;
    auto bytes = TgaHeader(10, 16, 8, 24) + std::vector<uint8_t>{0xFF, 1, 2, 3};
    ASSERT_EQ(DecodeBytes(bytes, tga), "");
    ASSERT_EQ(tga.imageSize, 128u * 3);
    for (uint32_t i = 0; i < 128; ++i) {
        ASSERT_EQ(tga.image.pixels[i * 3], 3);
        ASSERT_EQ(tga.image.pixels[i * 3 + 2], 1);
    }
}

TEST(TgaDecode, LargeFilesReadInBlocksMatchTheSource) {
    // Big enough that the run-length packets straddle the reader's block boundaries.
    const int width = 700, height = 600;
    std::vector<uint8_t> source = TestPicture(width, height, 4);
    CTGATexture tga;
    ASSERT_EQ(DecodeBytes(MakeTga(width, height, 4, source, {true, false, 0}), tga), "");
    EXPECT_TRUE(Decoded(tga) == source);
}

TEST(TgaDecode, HeaderFailuresNameTheirCause) {
    CTGATexture missing;
    CaptureStream out(1);
    EXPECT_FALSE(missing.DecodeFile("/nonexistent/font.tga"));
    EXPECT_EQ(out.Text(), "Could not open texture file: /nonexistent/font.tga\n");

    EXPECT_EQ(Failure({}), "Failed to read TGAcomment!\n");
    EXPECT_EQ(Failure({0, 0, 2, 0, 0}), "Could not read file header: t.tga\n");
    const std::string badType = "TGA file be type 2 or type 10, Invalid Image: t.tga\n";
    for (uint8_t type : {1, 3, 9, 11}) {
        EXPECT_EQ(Failure(TgaHeader(type, 2, 2, 24) + std::vector<uint8_t>(12)), badType) << int(type);
    }
    for (int offset : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11}) {
        auto bytes = TgaHeader(2, 2, 2, 24) + std::vector<uint8_t>(12);
        bytes[offset] = 1;
        EXPECT_EQ(Failure(bytes), badType) << offset;
    }
    auto noInfo = TgaHeader(2, 2, 2, 24);
    noInfo.pop_back();
    EXPECT_EQ(Failure(noInfo), "Could not read info header: t.tga\n");
    const std::string invalid = "Invalid texture information: t.tga\n";
    EXPECT_EQ(Failure(TgaHeader(2, 2, 2, 16) + std::vector<uint8_t>(8)), invalid);
    EXPECT_EQ(Failure(TgaHeader(10, 2, 2, 16) + std::vector<uint8_t>(8)), invalid);
    EXPECT_EQ(Failure(TgaHeader(2, 0, 2, 24)), invalid);
    EXPECT_EQ(Failure(TgaHeader(2, 2, 0, 24)), invalid);
    // 65535 x 65535 x 4 bytes does not fit the 32-bit image size.
    EXPECT_EQ(Failure(TgaHeader(10, 65535, 65535, 32) + std::vector<uint8_t>{0xFF, 1, 2, 3, 4}), invalid);
}

TEST(TgaDecode, ShortAndOverlongPixelDataFails) {
    auto raw = TgaHeader(2, 2, 2, 24) + std::vector<uint8_t>(11);
    EXPECT_EQ(Failure(raw), "Could not read image data: t.tga\n");
    // An ID field the file ends in leaves the pixels short.
    EXPECT_EQ(Failure(TgaHeader(2, 1, 1, 24, 200) + std::vector<uint8_t>(150)),
              "Could not read image data: t.tga\n");

    auto rle = TgaHeader(10, 4, 2, 24);
    EXPECT_EQ(Failure(rle + std::vector<uint8_t>{0x83, 1, 2, 3}), "Could not read RLE header: t.tga\n");
    EXPECT_EQ(Failure(rle + std::vector<uint8_t>{0x03, 1, 2, 3, 4, 5, 6, 7}),
              "Could not read image data: t.tga\n");
    EXPECT_EQ(Failure(rle + std::vector<uint8_t>{0x83, 1, 2, 3, 0x83, 1, 2}),
              "Could not read from file: t.tga\n");
    EXPECT_EQ(Failure(rle + std::vector<uint8_t>{0x86, 1, 2, 3, 0x82, 1, 2, 3}),
              "Too many pixels read: t.tga\n");
    std::vector<uint8_t> overlongRaw = rle + std::vector<uint8_t>{0x85, 1, 2, 3, 0x02};
    overlongRaw.resize(overlongRaw.size() + 9, 7);
    EXPECT_EQ(Failure(overlongRaw), "Too many pixels read: t.tga\n");
    // Pixel by pixel, the short third pixel of that raw packet is met before the pixel too many.
    overlongRaw.resize(overlongRaw.size() - 4);
    EXPECT_EQ(Failure(overlongRaw), "Could not read image data: t.tga\n");
}
