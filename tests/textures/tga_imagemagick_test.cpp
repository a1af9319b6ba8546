// TGA files written by ImageMagick decode to the picture they were made from. ImageMagick 6 stores the
// top row first while its descriptor claims bottom-left origin; "-flip" makes its files truly
// bottom-up, and marking an unflipped file top-left makes it truthful the other way.
#include "support/TestSupport.h"
#include "support/TgaWriter.h"
#include "textures/TGATexture.h"

#include <gtest/gtest.h>
#include <string>

using namespace korvel::test;

namespace {

const int kWidth = 37;
const int kHeight = 23;

// A PAM file (top row first) of TestPicture's rows in reverse, so the decoded TGA, bottom row
// first, must equal TestPicture itself.
std::vector<uint8_t> Pam(const std::vector<uint8_t>& bottomUp, int bytesPerPixel) {
    std::string head = "P7\nWIDTH " + std::to_string(kWidth) + "\nHEIGHT " + std::to_string(kHeight) +
                       "\nDEPTH " + std::to_string(bytesPerPixel) + "\nMAXVAL 255\nTUPLTYPE " +
                       (bytesPerPixel == 4 ? "RGB_ALPHA" : "RGB") + "\nENDHDR\n";
    std::vector<uint8_t> out(head.begin(), head.end());
    size_t rowBytes = static_cast<size_t>(kWidth) * bytesPerPixel;
    for (int row = kHeight - 1; row >= 0; --row) {
        out.insert(out.end(), bottomUp.begin() + row * rowBytes, bottomUp.begin() + (row + 1) * rowBytes);
    }
    return out;
}

} // namespace

TEST(TgaImageMagick, TypesTwoAndTenInBothDepthsAndOrigins) {
    TempDir dir;
    for (int bytesPerPixel : {3, 4}) {
        std::vector<uint8_t> picture = TestPicture(kWidth, kHeight, bytesPerPixel);
        WriteFile(dir.File("src.pam"), Pam(picture, bytesPerPixel));
        for (bool runLength : {false, true}) {
            for (bool flip : {true, false}) {
                SCOPED_TRACE(::testing::Message()
                             << bytesPerPixel << " bytes, rle " << runLength << ", flip " << flip);
                std::string out = dir.File("out.tga");
                std::string command = "convert " + dir.File("src.pam") + (flip ? " -flip" : "") +
                                      (bytesPerPixel == 4 ? " -type TrueColorAlpha" : " -type TrueColor") +
                                      (runLength ? " -compress RLE " : " -compress None ") + out + " 2>&1";
                std::string log;
                ASSERT_EQ(RunCommand(command, &log), 0) << log;
                std::vector<uint8_t> bytes = ReadFile(out);
                ASSERT_GT(bytes.size(), 18u);
                ASSERT_EQ(bytes[2], runLength ? 10 : 2);
                ASSERT_EQ(bytes[16], bytesPerPixel * 8);
                if (!flip) {
                    bytes[17] |= 0x20;
                }
                CTGATexture tga;
                ASSERT_TRUE(tga.DecodeMemory(bytes.data(), bytes.size(), "out.tga"));
                EXPECT_TRUE(tga.image.pixels == picture);
            }
        }
    }
}
