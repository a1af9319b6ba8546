// Printing with the engine font on a live context, read back from the back buffer: glyph positions
// against the font image, the 12-pixel advance, the four character sets, colours and scale, and
// the GL state a print must leave as it found it.
#include "support/EngineFixture.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "text/Font.h"
#include "text/FontManager.h"
#include "textures/TGATexture.h"

#include <string>
#include <vector>

using korvel::test::EngineTest;

namespace {

const int kThreshold = 96;

struct Box {
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
    bool Empty() const { return right < 0; }
};

// Window-pixel region of the back buffer, RGBA, top row first.
struct Region {
    int x, y, width, height;
    std::vector<uint8_t> rgba;

    Region(int x, int y, int width, int height) : x(x), y(y), width(width), height(height) {
        const std::vector<uint8_t> bottomUp =
            korvel::test::ReadFrame(x, korvel::test::kScreenHeight - y - height, width, height);
        for (int row = height - 1; row >= 0; --row) {
            rgba.insert(rgba.end(), bottomUp.begin() + static_cast<long>(row) * width * 4,
                        bottomUp.begin() + static_cast<long>(row + 1) * width * 4);
        }
    }
    const uint8_t* At(int px, int py) const {
        return &rgba[(static_cast<size_t>(py - y) * width + (px - x)) * 4];
    }
    // Bounding box of the pixels whose brightest channel passes the threshold, within columns [from, to).
    Box Ink(int from = -1, int to = -1) const {
        Box box;
        for (int py = y; py < y + height; ++py) {
            for (int px = std::max(x, from); px < (to < 0 ? x + width : std::min(to, x + width)); ++px) {
                const uint8_t* p = At(px, py);
                if (std::max({p[0], p[1], p[2]}) >= kThreshold) {
                    box.left = std::min(box.left, px);
                    box.right = std::max(box.right, px);
                    box.top = std::min(box.top, py);
                    box.bottom = std::max(box.bottom, py);
                }
            }
        }
        return box;
    }
};

// The ink box of glyph g in the font image, relative to its cell's top-left corner.
Box AtlasInk(int glyph) {
    static CTGATexture atlas;
    if (atlas.image.Empty()) {
        EXPECT_TRUE(atlas.DecodeFile("Data/Font/font.tga"));
    }
    Box box;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            int row = 255 - ((glyph / 16) * 16 + y);
            int column = (glyph % 16) * 16 + x;
            if (atlas.image.pixels[(static_cast<size_t>(row) * 256 + column) * 4 + 3] >= kThreshold) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

} // namespace

class FontTest : public EngineTest {
protected:
    void SetUp() override {
        ClearFrame();
        font = gFontManager->GetFont(1);
        ASSERT_NE(font, nullptr);
    }
    CFont* font = nullptr;
};

TEST_F(FontTest, GlyphsLandWhereTheImagePutsThemTwelvePixelsApart) {
    const std::string line = "Current FPS 60";
    EXPECT_TRUE(font->Print(1, 1, 0, "Current FPS %d", 60));
    Region region(0, 0, 200, 24);
    for (size_t k = 0; k < line.size(); ++k) {
        if (line[k] == ' ') {
            continue;
        }
        SCOPED_TRACE(line.substr(k, 1));
        const int pen = 1 + 12 * static_cast<int>(k);
        Box expected = AtlasInk(line[k] - 32);
        Box seen = region.Ink(pen, pen + 12);
        ASSERT_FALSE(seen.Empty());
        // Horizontally the quad maps texels one to one; vertically it is 0.26 texel shy of the cell.
        EXPECT_EQ(seen.left, pen + expected.left);
        EXPECT_EQ(seen.right, pen + expected.right);
        EXPECT_NEAR(seen.top, 1 + expected.top, 1);
        EXPECT_NEAR(seen.bottom, 1 + expected.bottom, 1);
    }
}

TEST_F(FontTest, SetsChooseTheHalfAndTheBoldPass) {
    auto inkOf = [&](int set) {
        ClearFrame();
        font->Print(100, 100, set, "I");
        return Region(90, 90, 40, 40);
    };
    Box regular = inkOf(0).Ink();
    Box bold = inkOf(2).Ink();
    EXPECT_EQ(bold.left, regular.left);
    EXPECT_EQ(bold.right, regular.right + 1) << "the second pass lies one pixel to the right";

    Box second = inkOf(1).Ink();
    Box expected = AtlasInk(128 + 'I' - 32);
    EXPECT_EQ(second.left, 100 + expected.left);
    EXPECT_EQ(second.right, 100 + expected.right);
    EXPECT_EQ(inkOf(3).Ink().right, second.right + 1);

    EXPECT_TRUE(inkOf(7).rgba == inkOf(3).rgba) << "sets above 3 count as 3";
    EXPECT_TRUE(inkOf(-4).rgba == inkOf(0).rgba) << "negative sets count as 0";
}

TEST_F(FontTest, CharactersWithoutAGlyphPrintAsSpaces) {
    for (int set : {0, 1}) {
        SCOPED_TRACE(set);
        ClearFrame();
        font->Print(100, 100, set, set == 0 ? "H\x01H" : "H\xF0H");
        Region region(100, 100, 48, 16);
        EXPECT_FALSE(region.Ink(100, 112).Empty());
        EXPECT_TRUE(region.Ink(112, 124).Empty());
        EXPECT_FALSE(region.Ink(124, 136).Empty()) << "the third character keeps its place";
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FontTest, MessagesAreCutAfter151Characters) {
    const std::string longText(400, 'H');
    // Character 145 starts at x = 1, so 146..150 follow and 151 onwards would start at x = 73.
    font->Print(1 - 12 * 145, 300, 0, "%s", longText.c_str());
    Region region(0, 296, 400, 24);
    EXPECT_FALSE(region.Ink(61, 73).Empty()) << "character 150 is drawn";
    EXPECT_TRUE(region.Ink(73, 400).Empty()) << "nothing after character 150";
}

TEST_F(FontTest, ColourAndScaleComeFromTheCallOrTheFont) {
    font->PrintEx(100, 100, 0, 1, 0, 0, 1, 2, 2, "H");
    Region scaled(100, 100, 40, 40);
    Box big = scaled.Ink();
    Box glyph = AtlasInk('H' - 32);
    EXPECT_NEAR(big.right - big.left + 1, 2 * (glyph.right - glyph.left + 1), 1);
    EXPECT_NEAR(big.bottom - big.top + 1, 2 * (glyph.bottom - glyph.top + 1), 2);
    // Red only: the glyph's left stem.
    for (int y = big.top; y <= big.bottom; ++y) {
        const uint8_t* p = scaled.At(big.left, y);
        EXPECT_EQ(p[1], 0);
        EXPECT_EQ(p[2], 0);
    }

    ClearFrame();
    font->PrintColor(100, 200, 0, 0, 1, 0, "H");
    font->SetColorRBGA(1, 0, 1, 1);
    font->Print(140, 200, 0, "H");
    font->SetColor(1, 1, 1, 1);
    Region colours(100, 200, 60, 16);
    Box green = colours.Ink(100, 112);
    Box yellow = colours.Ink(140, 152);
    const uint8_t* g = colours.At(green.left, (green.top + green.bottom) / 2);
    const uint8_t* y = colours.At(yellow.left, (yellow.top + yellow.bottom) / 2);
    EXPECT_TRUE(g[0] == 0 && g[1] >= kThreshold && g[2] == 0)
        << int(g[0]) << " " << int(g[1]) << " " << int(g[2]);
    EXPECT_TRUE(y[0] >= kThreshold && y[1] >= kThreshold && y[2] == 0)
        << "SetColorRBGA takes blue before green: " << int(y[0]) << " " << int(y[1]) << " " << int(y[2]);
}

TEST_F(FontTest, APrintLeavesTheGlStateAsItFoundIt) {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_SCISSOR_TEST);
    glBlendFunc(GL_ONE, GL_ZERO);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, -3);
    GLfloat projection[16], modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);

    for (const char* format : {"Current FPS %d", "", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(format ? format : "null");
        EXPECT_TRUE(font->Print(1, 1, 2, format, 60));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
        GLint value = -1;
        glGetIntegerv(GL_BLEND_SRC, &value);
        EXPECT_EQ(value, GL_ONE);
        glGetIntegerv(GL_BLEND_DST, &value);
        EXPECT_EQ(value, GL_ZERO);
        glGetIntegerv(GL_MATRIX_MODE, &value);
        EXPECT_EQ(value, GL_MODELVIEW);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
        EXPECT_EQ(value, 0);
        glGetIntegerv(GL_CURRENT_PROGRAM, &value);
        EXPECT_EQ(value, 0);
        GLfloat after[16];
        glGetFloatv(GL_PROJECTION_MATRIX, after);
        EXPECT_TRUE(std::equal(after, after + 16, projection));
        glGetFloatv(GL_MODELVIEW_MATRIX, after);
        EXPECT_TRUE(std::equal(after, after + 16, modelview));
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The other way round: what was on stays on, what was off stays off.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    font->Print(1, 1, 0, "x");
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_SCISSOR_TEST);
}

TEST_F(FontTest, AnEmptyOrNullMessageDrawsNothing) {
    EXPECT_TRUE(font->Print(1, 1, 0, ""));
    EXPECT_TRUE(font->Print(1, 1, 0, nullptr));
    EXPECT_TRUE(Region(0, 0, 64, 20).Ink().Empty());
}

TEST_F(FontTest, ASecondManagerLoadsItsOwnFont) {
    CFontManager manager;
    EXPECT_EQ(manager.GetFont(1), nullptr);
    manager.LoadFont("Data/Font/font.tga");
    CFont* second = manager.GetFont(1);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, font);
    second->Print(100, 100, 0, "H");
    EXPECT_FALSE(Region(100, 100, 16, 16).Ink().Empty());
}

namespace {

// How many display lists and textures the context holds among the first names.
int ListCount() {
    int count = 0;
    for (GLuint name = 1; name < 20000; ++name) {
        count += glIsList(name) ? 1 : 0;
    }
    return count;
}

int TextureCount() {
    int count = 0;
    for (GLuint name = 1; name < 2000; ++name) {
        count += glIsTexture(name) ? 1 : 0;
    }
    return count;
}

} // namespace

TEST_F(FontTest, LoadingAFontAgainReplacesItsListsAndTexture) {
    CFont reloaded;
    reloaded.Load("Data/Font/font.tga");
    const int lists = ListCount();
    const int textures = TextureCount();
    reloaded.Load("Data/Font/font.tga");
    EXPECT_EQ(lists, ListCount());
    EXPECT_EQ(textures, TextureCount());
    reloaded.Print(100, 100, 0, "H");
    EXPECT_FALSE(Region(100, 100, 16, 16).Ink().Empty());
}
