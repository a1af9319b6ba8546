// Buttons and check boxes on a live engine: real mouse positions, real button events, and what they
// draw read back from the frame.
#include "GuiFixture.h"

#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiWindow.h"
#include "textures/Image.h"

using korvel::test::GuiTest;

namespace {

class WidgetTest : public GuiTest {
protected:
    // The id a left press at (x, y) leaves in the event manager while `draw` runs.
    int ClickAt(int x, int y, const std::function<void()>& draw) {
        MoveMouse(x, y);
        Frame(draw, SDL_MOUSEBUTTONDOWN);
        int id = gEventManager->GetClickedWidget();
        Frame(draw, SDL_MOUSEBUTTONUP);
        return id;
    }
};

TEST_F(WidgetTest, HitRectanglesAreInclusiveAtTheWindowOffset) {
    CGuiWindow window(100, 50, 400, 350, "", false, 1.0f, 15, 1, false);
    window.AddButton(Frames("b", 64, 32, {Red}).c_str(), 1, 20.0f, 30.0f, 5);
    window.AddCheckBox(Frames("off", 16, 16, {Blue}).c_str(), 1, Frames("on", 16, 16, {Green}).c_str(), 1,
                       10.0f, 10.0f, 6);
    window.SetVisible(true);
    auto draw = [&] { window.Update(); };
    // The button covers mouse x 120 to 184 and y 80 to 112.
    for (auto [x, y] : {std::pair{120, 80}, {184, 112}, {120, 112}, {184, 80}}) {
        EXPECT_EQ(ClickAt(x, y, draw), 5) << x << ", " << y;
    }
    for (auto [x, y] : {std::pair{119, 80}, {185, 112}, {120, 79}, {184, 113}}) {
        EXPECT_EQ(ClickAt(x, y, draw), -1) << x << ", " << y;
    }
    // The check box covers mouse x 110 to 126 and y 60 to 76.
    for (auto [x, y] : {std::pair{110, 60}, {126, 76}}) {
        EXPECT_EQ(ClickAt(x, y, draw), 6) << x << ", " << y;
    }
    for (auto [x, y] : {std::pair{109, 60}, {127, 76}, {110, 77}}) {
        EXPECT_EQ(ClickAt(x, y, draw), -1) << x << ", " << y;
    }
    // The button is drawn at the window's corner plus its own position.
    Frame(draw);
    EXPECT_EQ(At(120, 80), Red);
    EXPECT_EQ(At(183, 111), Red);
    EXPECT_EQ(At(119, 80), Black);
}

TEST_F(WidgetTest, ButtonTakesOneClickPerLeftPress) {
    CGuiButton button(Frames("b", 64, 32, {Red}).c_str(), 1, 10.0f, 10.0f, 4);
    auto draw = [&] { button.Update(); };
    MoveMouse(30, 20);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), 4);
    Frame(draw); // the button is still held: no new press
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    Frame(draw, SDL_MOUSEBUTTONUP);
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    Frame(draw, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    button.SetEnabled(false);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    EXPECT_TRUE(button.IsHover());
    // New images enable the button again.
    button.SetImages(Frames("c", 64, 32, {Blue}).c_str(), 1);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), 4);
}

TEST_F(WidgetTest, AButtonWithIdMinusOneHidesAnEarlierClick) {
    std::string prefix = Frames("b", 64, 32, {Red});
    CGuiButton named(prefix.c_str(), 1, 10.0f, 10.0f, 9);
    CGuiButton unnamed(prefix.c_str(), 1, 10.0f, 10.0f, -1);
    MoveMouse(30, 20);
    Frame([&] { named.Update(), unnamed.Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    Frame([&] { unnamed.Update(), named.Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), 9);
}

TEST_F(WidgetTest, HoveredButtonPlaysOnceAndRewindsWhenLeftEvenWhenDisabled) {
    const std::vector<Rgb> colors{Red, Green, Blue, Yellow, Magenta};
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        CGuiButton button(Frames(enabled ? "e" : "d", 40, 20, colors).c_str(), 5, 200.0f, 100.0f, 3);
        button.SetEnabled(enabled);
        auto draw = [&] { button.Update(); };
        MoveMouse(210, 110);
        // Each update draws the current frame, then steps when more than 50 ms have passed.
        for (const Rgb& expected : {Red, Green, Blue, Yellow, Magenta, Magenta}) {
            clock() += 51;
            Frame(draw);
            EXPECT_EQ(At(205, 105), expected);
        }
        MoveMouse(300, 300);
        Frame(draw);
        EXPECT_EQ(At(205, 105), Red);
        EXPECT_FALSE(button.IsHover());
        // Coming back plays from the start again.
        MoveMouse(210, 110);
        Frame(draw);
        EXPECT_EQ(At(205, 105), Red);
    }
}

TEST_F(WidgetTest, ButtonSizeScalesEveryFrameAndTheMouseTest) {
    CGuiButton button(Frames("b", 64, 32, {Red, Green}).c_str(), 2, 10.0f, 10.0f, 2);
    EXPECT_FLOAT_EQ(button.GetWidth(), 64.0f);
    button.SetSize(100, 40);
    EXPECT_FLOAT_EQ(button.GetWidth(), 100.0f);
    EXPECT_FLOAT_EQ(button.GetHeight(), 40.0f);
    EXPECT_FLOAT_EQ(button.GetFrame(1)->GetWidth(), 100.0f);
    MoveMouse(110, 50);
    Frame([&] { button.Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), 2);
    EXPECT_EQ(At(109, 49), Red);
    EXPECT_EQ(At(110, 50), Black);
}

TEST_F(WidgetTest, CheckBoxShowsItsOldStateInTheFrameOfTheClick) {
    CGuiCheckBox box(Frames("off", 16, 16, {Red}).c_str(), 1, Frames("on", 16, 16, {Green}).c_str(), 1, 50.0f,
                     60.0f, 3);
    auto draw = [&] { box.Update(); };
    MoveMouse(58, 68);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), 3);
    EXPECT_EQ(At(52, 62), Red);
    EXPECT_TRUE(box.IsChecked());
    Frame(draw); // held down: no second flip
    EXPECT_EQ(At(52, 62), Green);
    Frame(draw, SDL_MOUSEBUTTONUP);
    Frame(draw, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    EXPECT_EQ(At(52, 62), Green);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(At(52, 62), Green);
    Frame(draw);
    EXPECT_EQ(At(52, 62), Red);
    EXPECT_FALSE(box.IsChecked());
}

TEST_F(WidgetTest, DisabledCheckBoxAnimatesButNeverFlips) {
    CGuiCheckBox box(Frames("off", 16, 16, {Red, Blue}).c_str(), 2, Frames("on", 16, 16, {Green}).c_str(), 1,
                     50.0f, 60.0f, 3);
    box.SetEnabled(false);
    MoveMouse(58, 68);
    Frame([&] { box.Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    EXPECT_FALSE(box.IsChecked());
    EXPECT_TRUE(box.IsHover());
    clock() += 51;
    Frame([&] { box.Update(); });
    Frame([&] { box.Update(); });
    EXPECT_EQ(At(52, 62), Blue);
}

TEST_F(WidgetTest, CheckBoxIsMeasuredByTheUncheckedFrameOne) {
    CGuiCheckBox box(Frames("off", 16, 16, {Red}).c_str(), 1, Frames("on", 32, 32, {Green}).c_str(), 1, 50.0f,
                     60.0f, 3);
    box.SetChecked(true);
    MoveMouse(70, 70); // on the checked picture, outside the unchecked frame 1
    Frame([&] { box.Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);
    EXPECT_EQ(At(70, 70), Green);
    EXPECT_FLOAT_EQ(box.GetWidth(), 16.0f);

    box.SetX(12.9f);
    EXPECT_FLOAT_EQ(box.GetX(), 12.0f);
    box.SetX(-3.7f);
    EXPECT_FLOAT_EQ(box.GetX(), -3.0f);
    box.SetFrameSize(32, 32);
    EXPECT_FLOAT_EQ(box.GetWidth(), 32.0f);
    box.SetChecked(false);
    box.SetPosition(100.0f, 100.0f);
    MoveMouse(500, 500);
    Frame([&] { box.Update(); });
    EXPECT_EQ(At(131, 131), Red);
    EXPECT_EQ(At(132, 131), Black);
}

} // namespace
