// Text printed as one array of glyph quads per string gives the very pixels of the glyph display
// lists, for every kind of print the engine makes.
#include "support/EngineFixture.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "text/Font.h"
#include "text/FontManager.h"

#include <vector>

using korvel::test::EngineTest;

namespace {

class FontArraysTest : public EngineTest {
protected:
    void TearDown() override { CFont::SetListPrinting(false); }

    // The viewer's lines, the GUI's kinds of print and both halves of the image, in a 3D frame
    // like the viewer's (depth test and no blending on entry) and in the 2D overlay.
    static std::vector<uint8_t> Text(bool lists) {
        CFont::SetListPrinting(lists);
        CFont* font = gFontManager->GetFont(1);
        ClearFrame();
        glDisable(GL_BLEND);
        font->Print(1, 50, 0, "MD2 Animation Demo! Choose animation with pressing numbers.");
        font->Print(1, 75, 0, "Rotate the model with LEFT and RIGHT arrow.");
        font->Print(20, 740, 0, "Press ESC to Exit.");
        font->Print(300, 200, 1, "second half !\"#$%%&'()*+,-./0123 ~");
        font->Print(300, 230, 2, "bold %d", 42);
        font->Print(300, 260, 7, "bold second half");
        font->PrintColor(300, 290, 0, 1.0f, 0.5f, 0.25f, "coloured");
        gGraphicsCore->Begin2D();
        font->PrintAt(40.0f, 400.0f, 2, "hover text at %s", "a float position");
        font->PrintEx(40, 430, 0, 0.2f, 0.9f, 0.4f, 0.7f, 1.0f, 1.0f, "static text, translucent");
        font->PrintEx(40, 460, 0, 1.0f, 1.0f, 1.0f, 1.0f, 2.0f, 3.0f, "scaled");
        font->Print(40, 560, 0, "");
        gGraphicsCore->End2D();
        return ReadFrame();
    }
};

} // namespace

TEST_F(FontArraysTest, StringsFromOneArrayLookLikeTheGlyphLists) {
    std::vector<uint8_t> lists = Text(true);
    std::vector<uint8_t> arrays = Text(false);
    EXPECT_EQ(0, DifferingPixels(lists, arrays));
    int ink = 0;
    for (size_t i = 0; i < arrays.size(); i += 4) {
        ink += arrays[i] > 96;
    }
    EXPECT_GT(ink, 5000);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
}

TEST_F(FontArraysTest, ACallersArraysAndBufferNeitherDisturbNorLoseTheText) {
    std::vector<uint8_t> plain = Text(false);
    // Code of the caller's own that draws from a buffer object and leaves it bound.
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, 64, nullptr, GL_STATIC_DRAW);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, nullptr);
    std::vector<uint8_t> amid = Text(false);
    GLint bound = 0;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLint>(buffer), bound);
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
    EXPECT_EQ(0, DifferingPixels(plain, amid));
}
