// Static texts and hover texts on a live engine with the engine font: each must draw exactly what
// the font draws when called directly with the expected position, set, colour and scale.
#include "GuiFixture.h"

#include "gui/GuiButton.h"
#include "gui/GuiStaticText.h"
#include "gui/GuiWindow.h"
#include "text/Font.h"
#include "text/FontManager.h"

using korvel::test::GuiTest;

namespace {

class GuiTextTest : public GuiTest {
protected:
    // The top-left 400 x 120 pixels of the frame after `draw`.
    static std::vector<uint8_t> Drawn(const std::function<void()>& draw) {
        Frame(draw);
        return korvel::test::ReadFrame(0, static_cast<int>(gGraphicsCore->height) - 120, 400, 120);
    }
    // Nothing but black (the frame may have no alpha channel, which reads back as 255).
    static bool Blank(const std::vector<uint8_t>& rgba) {
        for (size_t i = 0; i < rgba.size(); i += 4) {
            if (rgba[i] || rgba[i + 1] || rgba[i + 2]) {
                return false;
            }
        }
        return true;
    }
    static CFont* Font() { return gFontManager->GetFont(1); }
};

TEST_F(GuiTextTest, StaticTextPrintsThroughPrintExWithTruncatedPositions) {
    CGuiStaticText plain;
    auto reference = Drawn([] { Font()->PrintEx(100, 50, 0, 1, 1, 1, 1, 1, 1, "Static Text"); });
    ASSERT_FALSE(Blank(reference));
    EXPECT_EQ(Drawn([&] { plain.Draw(100.0f, 50.0f); }), reference);

    CGuiStaticText offset("Truncated", 10.7f, 2.2f);
    reference = Drawn([] { Font()->PrintEx(111, 52, 0, 1, 1, 1, 1, 1, 1, "Truncated"); });
    EXPECT_EQ(Drawn([&] { offset.Draw(100.6f, 50.0f); }), reference);
    reference = Drawn([] { Font()->PrintEx(-2, 3, 0, 1, 1, 1, 1, 1, 1, "Truncated"); });
    EXPECT_EQ(Drawn([&] { offset.DrawAt(-2.5f, 3.9f); }), reference);
    // Text is printed literally, not as a format.
    CGuiStaticText percent("100%d %s", 4.0f, 4.0f);
    reference = Drawn([] { Font()->PrintEx(4, 4, 0, 1, 1, 1, 1, 1, 1, "%s", "100%d %s"); });
    EXPECT_EQ(Drawn([&] { percent.Draw(); }), reference);
}

TEST_F(GuiTextTest, StaticTextColourSetAndScaleReachTheFont) {
    // Colours are kept as given and handed on first, third, second, fourth.
    CGuiStaticText text("Colour", 20.0f, 30.0f, 1.0f, 0.2f, 0.6f, 0.9f);
    auto reference = Drawn([] { Font()->PrintEx(20, 30, 0, 1.0f, 0.6f, 0.2f, 0.9f, 1, 1, "Colour"); });
    EXPECT_EQ(Drawn([&] { text.Draw(); }), reference);

    text.SetColor(0.3f, 0.9f, 0.1f, 1.0f);
    text.SetScale(2.0f, 3.0f);
    text.SetFontSet(0x102); // the low eight bits: set 2, bold
    text.SetText("Bold");
    EXPECT_EQ(text.GetText(), "Bold");
    reference = Drawn([] { Font()->PrintEx(20, 30, 2, 0.3f, 0.1f, 0.9f, 1.0f, 2, 3, "Bold"); });
    EXPECT_EQ(Drawn([&] { text.Draw(); }), reference);
    EXPECT_NE(Drawn([] { Font()->PrintEx(20, 30, 0, 0.3f, 0.1f, 0.9f, 1.0f, 2, 3, "Bold"); }), reference);
}

TEST_F(GuiTextTest, HoverTextsShowOnlyWhileTheMouseIsOverTheirWidget) {
    CGuiButton button(Frames("b", 40, 20, {Red}).c_str(), 1, 300.0f, 300.0f, 1);
    button.SetHoverText("Press me", 1, 0, 0, 1, 10.0f, 10.0f);
    auto reference = Drawn([] { Font()->PrintAt(10.0f, 10.0f, 0, "Press me"); });
    MoveMouse(310, 310);
    EXPECT_EQ(Drawn([&] { button.Update(); }), reference);
    button.SetHoverTextEnabled(false);
    EXPECT_TRUE(Blank(Drawn([&] { button.Update(); })));
    button.SetHoverTextEnabled(true);
    MoveMouse(500, 500);
    EXPECT_TRUE(Blank(Drawn([&] { button.Update(); })));

    // A window's title-bar text lies under its own images where they overlap.
    std::string file = Picture(dir.File("bg.png"), 300, 100, Blue);
    CGuiWindow window(100, 200, 400, 300, file.c_str(), false, 1.0f, 15, 1, true);
    window.SetHoverText("Drag", 1, 1, 1, 1, 20.0f, 40.0f);
    window.SetVisible(true);
    reference = Drawn([] { Font()->PrintAt(20.0f, 40.0f, 0, "Drag"); });
    MoveMouse(150, 205);
    EXPECT_EQ(Drawn([&] { window.Update(); }), reference);
    window.SetMovable(false);
    EXPECT_TRUE(Blank(Drawn([&] { window.Update(); })));
    window.SetMovable(true);
    window.SetHoverText("Hidden", 1, 1, 1, 1, 150.0f, 220.0f);
    Frame([&] { window.Update(); });
    EXPECT_EQ(At(160, 225), Blue);
}

} // namespace
