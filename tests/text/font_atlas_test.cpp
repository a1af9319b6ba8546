// The committed engine font image: its layout is what the glyph display lists assume.
#include "textures/TGATexture.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Alpha of atlas pixel (x, y), y counted from the top of the picture.
int Alpha(const CTGATexture& atlas, int x, int y) {
    return atlas.image.pixels[(static_cast<size_t>(255 - y) * 256 + static_cast<size_t>(x)) * 4 + 3];
}

// Sum of alpha in glyph g's cell, counted from the top-left cell.
int Ink(const CTGATexture& atlas, int glyph) {
    int sum = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            sum += Alpha(atlas, (glyph % 16) * 16 + x, (glyph / 16) * 16 + y);
        }
    }
    return sum;
}

} // namespace

TEST(FontAtlas, SixteenBySixteenWhiteCellsWithTwoPrintableSets) {
    CTGATexture atlas;
    ASSERT_TRUE(atlas.DecodeFile((std::string(KORVEL_RUNTIME_DIR) + "/Data/Font/font.tga").c_str()));
    ASSERT_EQ(atlas.width, 256);
    ASSERT_EQ(atlas.height, 256);
    ASSERT_EQ(atlas.bpp, 32u);
    for (uint32_t i = 0; i < atlas.imageSize; i += 4) {
        ASSERT_EQ(atlas.image.pixels[i] & atlas.image.pixels[i + 1] & atlas.image.pixels[i + 2], 255)
            << "colour is white";
    }
    for (int glyph = 0; glyph < 256; ++glyph) {
        SCOPED_TRACE(glyph);
        const int character = 32 + glyph % 128;
        const bool printable = glyph % 128 < 96 && character != 32 && character != 127;
        EXPECT_EQ(Ink(atlas, glyph) > 0, printable);
        // The last row and column of a cell stay clear, so filtering never mixes two glyphs.
        for (int k = 0; k < 16; ++k) {
            EXPECT_EQ(Alpha(atlas, (glyph % 16) * 16 + 15, (glyph / 16) * 16 + k), 0);
            EXPECT_EQ(Alpha(atlas, (glyph % 16) * 16 + k, (glyph / 16) * 16 + 15), 0);
        }
    }
    // '_' lies low in its cell and '^' high: the picture is not upside down.
    EXPECT_GT(Alpha(atlas, ('_' - 32) % 16 * 16 + 6, ('_' - 32) / 16 * 16 + 14) +
                  Alpha(atlas, ('_' - 32) % 16 * 16 + 6, ('_' - 32) / 16 * 16 + 13),
              0);
    // The second set is the bold face: more ink for the same characters.
    EXPECT_GT(Ink(atlas, 128 + 'M' - 32), Ink(atlas, 'M' - 32) * 11 / 10);
}
