// Pictures decoded for upload, from files and from the same bytes in memory: RGB or RGBA by the
// picture's channels, bottom row first, and files cut short refused from memory as from disk. The
// asset core's decoder (no SDL) gives the very rows SDL's readers give.
#include "support/TestSupport.h"

#include "textures/DecodedImage.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using korvel::test::CaptureStream;
using korvel::test::ReadFile;
using korvel::test::RunCommand;
using korvel::test::TempDir;

namespace {

// 3 x 2: a red top row over a blue bottom row, the top-right pixel half transparent where the format
// keeps alpha.
std::string MakePicture(const TempDir& dir, const std::string& format, const std::string& file) {
    const std::string path = dir.File(file);
    const std::string command = "convert \\( xc:red xc:red 'xc:rgba(0,255,0,0.5)' +append \\) "
                                "\\( xc:blue xc:blue xc:blue +append \\) -append " +
                                format + path;
    EXPECT_EQ(RunCommand(command), 0) << command;
    return path;
}

DecodedImage FromBytes(const std::string& path, bool bmp) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    return bmp ? DecodedImage::FromBMPMemory(bytes.data(), bytes.size(), path.c_str())
               : DecodedImage::FromMemory(bytes.data(), bytes.size(), path.c_str(), false);
}

TEST(DecodedImageTest, MemoryAndFileGiveTheSameRowsBottomFirst) {
    TempDir dir;
    struct Case {
        std::string format, file;
        int channels;
    };
    // ImageMagick writes TGA rows top-down under a bottom-up header: -flip stores them truly bottom-up.
    for (const Case& c : {Case{"PNG32:", "a.png", 4}, Case{"PNG24:", "b.png", 3},
                          Case{"-flip -type TrueColorAlpha TGA:", "c.tga", 4}, Case{"BMP3:", "d.bmp", 3},
                          Case{"-alpha off -type Palette PCX:", "e.pcx", 3},
                          Case{"-alpha off -type TrueColor PCX:", "f.pcx", 3}}) {
        SCOPED_TRACE(c.file);
        const std::string path = MakePicture(dir, c.format, c.file);
        const bool bmp = c.file == "d.bmp";
        const DecodedImage file =
            bmp ? DecodedImage::FromBMP(path.c_str()) : DecodedImage::FromFile(path, false);
        const DecodedImage memory = FromBytes(path, bmp);
        ASSERT_FALSE(file.Empty()) << SDL_GetError();
        EXPECT_EQ(file.width, 3);
        EXPECT_EQ(file.height, 2);
        EXPECT_EQ(file.channels, c.channels);
        EXPECT_EQ(memory.channels, file.channels);
        EXPECT_EQ(memory.pixels, file.pixels);
        // The core takes a PNG's transparent colour as alpha, as SDL's reader does when asked (the
        // PNG24 file carries one, black, that no pixel has: four channels, all opaque).
        std::string why;
        const DecodedImage core = DecodedImage::Read(path, why), keyed = DecodedImage::FromFile(path, true);
        EXPECT_EQ(core.channels, keyed.channels) << why;
        EXPECT_EQ(core.pixels, keyed.pixels);
        // Row 0 is the picture's bottom (blue) row; the last pixel of the top row is the green one.
        const size_t n = static_cast<size_t>(c.channels);
        EXPECT_EQ(file.pixels[0], 0);
        EXPECT_EQ(file.pixels[2], 255);
        EXPECT_EQ(file.pixels[3 * n], 255) << "top row red";
        if (c.channels == 4) {
            EXPECT_NEAR(file.pixels[5 * n + 3], 128, 1);
        }
    }
}

TEST(DecodedImageTest, APngsTransparentColourIsAlphaInBothDecoders) {
    TempDir dir;
    // The top-right pixel marked clear, by its palette entry or as the picture's one clear colour:
    // SDL's reader (keys taken as alpha) and the asset core's give the same RGBA, its colour kept.
    for (const std::string format : {"PNG8:", "PNG24:"}) {
        SCOPED_TRACE(format);
        const std::string path = dir.File("keyed.png");
        ASSERT_EQ(RunCommand("convert \\( xc:red xc:red xc:lime +append \\) \\( xc:blue xc:blue xc:blue "
                             "+append \\) -append -transparent lime " +
                             format + path),
                  0);
        std::string why;
        const DecodedImage core = DecodedImage::Read(path, why), sdl = DecodedImage::FromFile(path, true);
        ASSERT_EQ(core.channels, 4) << why;
        EXPECT_EQ(sdl.pixels, core.pixels);
        EXPECT_EQ(core.pixels[3 * 4 + 3], 255);
        EXPECT_EQ((std::vector<uint8_t>(core.pixels.end() - 4, core.pixels.end())),
                  (std::vector<uint8_t>{0, 255, 0, 0}));
    }
}

TEST(DecodedImageTest, APngCutShortInMemoryIsRefusedAndOneWithoutItsEndStillReads) {
    TempDir dir;
    const std::vector<uint8_t> whole = ReadFile(MakePicture(dir, "PNG32:", "a.png"));
    ASSERT_GT(whole.size(), 40u);
    const DecodedImage cut = DecodedImage::FromMemory(whole.data(), 40, "cut.png", false);
    EXPECT_TRUE(cut.Empty());
    EXPECT_EQ(std::string(SDL_GetError()), "PNG file cut short");
    // Without the closing IEND chunk (12 bytes) the image data is still whole.
    const DecodedImage endless = DecodedImage::FromMemory(whole.data(), whole.size() - 12, "a.png", false);
    EXPECT_EQ(endless.pixels, DecodedImage::FromMemory(whole.data(), whole.size(), "a.png", false).pixels);
    EXPECT_FALSE(endless.Empty());
    EXPECT_TRUE(DecodedImage::FromMemory(nullptr, 0, nullptr, false).Empty());
    CaptureStream err(2);
    EXPECT_TRUE(DecodedImage::FromBMPMemory(whole.data(), whole.size(), "not.bmp").Empty());
    EXPECT_EQ(err.Text().rfind(" Failed loading not.bmp : ", 0), 0u);
}

} // namespace
