// CGuiTextField under the real event manager: a press gives it the keyboard, typed characters and
// Backspace change its text (each change reported by its id), keys it has no use for stay the
// application's, and Return or a press elsewhere give the keyboard back.
#include "GuiFixture.h"

#include "gui/GuiTextField.h"

#include <gtest/gtest.h>

namespace {

using korvel::test::GuiTest;

class TextFieldTest : public GuiTest {
protected:
    // One engine frame that takes a key press of `sym` (with the character SDL would translate it to).
    static void Key(const std::function<void()>& draw, SDLKey sym, Uint16 unicode = 0) {
        SDL_Event drained;
        while (SDL_PollEvent(&drained)) {
        }
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = sym;
        e.key.keysym.unicode = unicode;
        SDL_PushEvent(&e);
        ClearFrame();
        gEventManager->Update();
        gGraphicsCore->Begin2D();
        draw();
        gGraphicsCore->End2D();
    }
};

TEST_F(TextFieldTest, APressGivesItTheKeysItUsesAndReturnOrAPressElsewhereTakesThemBack) {
    CGuiTextField field(Picture(dir.File("field.png"), 8, 8, Blue).c_str(), 10.0f, 20.0f, 200.0f, 24.0f, 9);
    auto draw = [&field] { field.Update(100.0f, 50.0f); };

    // Without the keyboard a letter is not the field's.
    Key(draw, SDLK_a, 'a');
    EXPECT_FALSE(field.TookKey());
    EXPECT_EQ(field.GetText(), "");
    MoveMouse(115, 75);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_TRUE(field.IsFocused());
    Frame(draw, SDL_MOUSEBUTTONUP);

    Key(draw, SDLK_o, 'O');
    EXPECT_TRUE(field.TookKey());
    EXPECT_EQ(gEventManager->GetClickedWidget(), 9);
    Key(draw, SDLK_MINUS, '_');
    Key(draw, SDLK_2);
    EXPECT_EQ(field.GetText(), "O_2");
    Key(draw, SDLK_BACKSPACE, 8);
    EXPECT_EQ(field.GetText(), "O_");
    // F12 changes nothing and is left to the application, as are the arrows.
    Key(draw, SDLK_F12);
    EXPECT_FALSE(field.TookKey());
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    Key(draw, SDLK_LEFT);
    EXPECT_FALSE(field.TookKey());
    EXPECT_EQ(field.GetText(), "O_");

    Key(draw, SDLK_RETURN, 13);
    EXPECT_TRUE(field.TookKey()) << "the key that leaves the field is the field's";
    EXPECT_FALSE(field.IsFocused());
    Key(draw, SDLK_x, 'x');
    EXPECT_EQ(field.GetText(), "O_");

    field.SetFocused(true);
    MoveMouse(400, 300);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_FALSE(field.IsFocused());

    // The text stops at its longest.
    field.SetFocused(true);
    for (size_t i = 0; i < CGuiTextField::kMaxLength + 5; ++i) {
        Key(draw, SDLK_z, 'z');
    }
    EXPECT_EQ(field.GetText().size(), CGuiTextField::kMaxLength);
}

} // namespace
