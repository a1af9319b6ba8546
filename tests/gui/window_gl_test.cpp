// GUI windows and the window manager on a live engine: background fitting, the placement clamp,
// the title bar and dragging with the real mouse, overlapping windows, and images that leave the
// texture manager when their window goes.
#include "GuiFixture.h"

#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiWindow.h"
#include "gui/WindowManager.h"
#include "textures/Image.h"
#include "textures/MousePointer.h"
#include "textures/TextureManager.h"

#include <algorithm>

using korvel::test::GuiTest;

namespace {

class WindowTest : public GuiTest {
protected:
    // A movable 300 x 300 window at (100, 50) with a 15-pixel title bar and a blue background.
    CGuiWindow* MakeWindow(int32_t id = 1, Rgb background = Blue) {
        std::string file = Picture(dir.File("bg" + std::to_string(id) + ".png"), 300, 300, background);
        return new CGuiWindow(100, 50, 400, 350, file.c_str(), false, 1.0f, 15, id, true);
    }
    static std::array<float, 4> Edges(const CGuiWindow& w) {
        return {w.GetLeft(), w.GetTop(), w.GetRight(), w.GetBottom()};
    }
};

TEST_F(WindowTest, BackgroundIsSqueezedInEachDirectionOrStretched) {
    struct Case {
        int w, h;
        bool stretch;
        float fitW, fitH;
    };
    for (const Case& c :
         {Case{512, 512, false, 300, 300}, Case{128, 64, false, 128, 64}, Case{512, 64, false, 300, 64},
          Case{512, 512, true, 300, 300}, Case{128, 64, true, 300, 300}, Case{512, 64, true, 300, 300}}) {
        std::string file = Picture(dir.File("fit.png"), c.w, c.h, Green);
        CGuiWindow window(100, 50, 400, 350, file.c_str(), c.stretch, 1.0f, 15, 1, false);
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + (c.stretch ? " stretched" : ""));
        EXPECT_FLOAT_EQ(window.GetImage(0)->GetWidth(), c.fitW);
        EXPECT_FLOAT_EQ(window.GetImage(0)->GetHeight(), c.fitH);
    }
    // A squeezed picture is drawn whole inside the window, from its top-left corner.
    std::string file = Picture(dir.File("big.png"), 512, 64, Green);
    CGuiWindow window(100, 50, 400, 350, file.c_str(), false, 1.0f, 15, 1, false);
    window.SetVisible(true);
    Frame([&] { window.Update(); });
    EXPECT_EQ(At(100, 50), Green);
    EXPECT_EQ(At(399, 113), Green);
    EXPECT_EQ(At(400, 113), Black);
    EXPECT_EQ(At(399, 114), Black);
}

TEST_F(WindowTest, ButtonsAndCheckBoxesArePushedInsideTheRightAndBottomEdges) {
    CGuiWindow* window = MakeWindow();
    std::string frames = Frames("b", 40, 20, {Red});
    CGuiButton* right = new CGuiButton(frames.c_str(), 1, 280.0f, 290.0f, 1);
    CGuiButton* left = new CGuiButton(frames.c_str(), 1, -10.0f, -5.0f, 2);
    window->AddButton(right);
    window->AddButton(left);
    EXPECT_FLOAT_EQ(right->GetX(), 260.0f);
    EXPECT_FLOAT_EQ(right->GetY(), 280.0f);
    EXPECT_FLOAT_EQ(left->GetX(), -10.0f);
    EXPECT_FLOAT_EQ(left->GetY(), -5.0f);

    CGuiCheckBox* box = new CGuiCheckBox(frames.c_str(), 1, frames.c_str(), 1, 280.0f, 10.5f, 3);
    box->GetFrame(0)->SetWidth(40.5f);
    window->AddCheckBox(box);
    EXPECT_FLOAT_EQ(box->GetX(), 259.0f); // 300 - 40.5 = 259.5, kept whole
    EXPECT_FLOAT_EQ(box->GetY(), 10.5f);  // not clamped, so not truncated either
    delete window;
}

TEST_F(WindowTest, TitleBarBoundsAreInclusiveAndChooseThePointer) {
    gGraphicsCore->SetMousePointers("Data/MousePointer.png", "Data/GUI/pointer_move.png");
    CGuiWindow* window = MakeWindow();
    for (auto [x, y] : {std::pair{100, 65}, {400, 50}, {250, 57}}) {
        MoveMouse(x, y);
        gEventManager->Update();
        EXPECT_TRUE(window->IsMouseOverTitleBar()) << x << ", " << y;
        EXPECT_EQ(gGraphicsCore->mousePointer->currentPointer,
                  gGraphicsCore->mousePointer->secondPointerImage);
    }
    for (auto [x, y] : {std::pair{100, 66}, {401, 50}, {99, 60}, {250, 49}}) {
        MoveMouse(x, y);
        gEventManager->Update();
        EXPECT_FALSE(window->IsMouseOverTitleBar()) << x << ", " << y;
        EXPECT_EQ(gGraphicsCore->mousePointer->currentPointer, gGraphicsCore->mousePointer->pointerImage);
    }
    // A window that cannot move leaves the pointer alone.
    window->SetMovable(false);
    MoveMouse(250, 57);
    gEventManager->Update();
    EXPECT_TRUE(window->IsMouseOverTitleBar());
    EXPECT_EQ(gGraphicsCore->mousePointer->currentPointer, gGraphicsCore->mousePointer->pointerImage);
    delete window;
}

TEST_F(WindowTest, LeftPressOnTheTitleBarDragsTheWindowByTheMouseMotion) {
    CGuiWindow* window = MakeWindow();
    window->SetVisible(true);
    auto draw = [&] { window->Update(); };
    MoveMouse(200, 60);
    Frame(draw, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    EXPECT_FALSE(window->IsDragging());
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_TRUE(window->IsDragging());
    MoveMouse(210, 65);
    Frame(draw);
    EXPECT_EQ(Edges(*window), (std::array<float, 4>{110, 55, 410, 355}));
    // Drawn at the new place in the same frame.
    EXPECT_EQ(At(110, 55), Blue);
    EXPECT_EQ(At(109, 55), Black);
    EXPECT_EQ(At(409, 354), Blue);

    // A release that arrives while the mouse is off the bar does not stop the drag.
    MoveMouse(210, 165);
    Frame(draw, SDL_MOUSEBUTTONUP);
    EXPECT_TRUE(window->IsDragging());
    EXPECT_EQ(Edges(*window), (std::array<float, 4>{110, 155, 410, 455}));
    Frame(draw, SDL_MOUSEBUTTONUP); // the bar is under the mouse again
    EXPECT_FALSE(window->IsDragging());
    MoveMouse(300, 300);
    Frame(draw);
    EXPECT_EQ(Edges(*window), (std::array<float, 4>{110, 155, 410, 455}));
    delete window;
}

TEST_F(WindowTest, WindowsThatCannotMoveOrAreHiddenNeverDrag) {
    CGuiWindow* fixed = MakeWindow(1);
    fixed->SetMovable(false);
    fixed->SetVisible(true);
    CGuiWindow* hidden = MakeWindow(2);
    MoveMouse(200, 60);
    Frame([&] { fixed->Update(), hidden->Update(); }, SDL_MOUSEBUTTONDOWN);
    MoveMouse(220, 70);
    Frame([&] { fixed->Update(), hidden->Update(); });
    EXPECT_FALSE(fixed->IsDragging() || hidden->IsDragging());
    EXPECT_EQ(Edges(*fixed), (std::array<float, 4>{100, 50, 400, 350}));
    EXPECT_EQ(Edges(*hidden), (std::array<float, 4>{100, 50, 400, 350}));
    delete fixed;
    delete hidden;
}

TEST_F(WindowTest, AButtonOnTheTitleBarTakesThePressThatStartsTheDrag) {
    CGuiWindow* window = MakeWindow();
    window->AddButton(Frames("b", 40, 10, {Red}).c_str(), 1, 50.0f, 2.0f, 8);
    window->SetVisible(true);
    MoveMouse(160, 55);
    Frame([&] { window->Update(); });
    Frame([&] { window->Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_TRUE(window->IsDragging());
    EXPECT_EQ(gEventManager->GetClickedWidget(), 8);
    delete window;
}

TEST_F(WindowTest, OverlappingWindowsAllTakeTheClickAndTheLastIdStays) {
    CWindowManager manager;
    CGuiWindow* back = MakeWindow(1, Blue);
    CGuiWindow* front = MakeWindow(2, Green);
    std::string off = Frames("off", 20, 20, {Red});
    std::string on = Frames("on", 20, 20, {Yellow});
    CGuiCheckBox* backBox = new CGuiCheckBox(off.c_str(), 1, on.c_str(), 1, 30.0f, 40.0f, 7);
    CGuiCheckBox* frontBox = new CGuiCheckBox(off.c_str(), 1, on.c_str(), 1, 30.0f, 40.0f, 8);
    back->AddCheckBox(backBox);
    front->AddCheckBox(frontBox);
    manager.AddWindow(back);
    manager.AddWindow(front);
    manager.ShowWindow(1);
    manager.ShowWindow(2);
    MoveMouse(140, 100);
    Frame([&] { manager.Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_TRUE(backBox->IsChecked());
    EXPECT_TRUE(frontBox->IsChecked());
    EXPECT_EQ(gEventManager->GetClickedWidget(), 8);
    // The later window is drawn over the earlier one.
    EXPECT_EQ(At(300, 300), Green);
}

TEST_F(WindowTest, OverlappingTitleBarsStartDraggingTogether) {
    CWindowManager manager;
    CGuiWindow* a = MakeWindow(1);
    CGuiWindow* b = MakeWindow(2);
    b->SetRect(150, 55, 450, 355);
    manager.AddWindow(a);
    manager.AddWindow(b);
    manager.ShowWindow(1);
    manager.ShowWindow(2);
    MoveMouse(200, 60);
    Frame([&] { manager.Update(); });
    Frame([&] { manager.Update(); }, SDL_MOUSEBUTTONDOWN);
    MoveMouse(230, 80);
    Frame([&] { manager.Update(); });
    EXPECT_EQ(Edges(*a), (std::array<float, 4>{130, 70, 430, 370}));
    EXPECT_EQ(Edges(*b), (std::array<float, 4>{180, 75, 480, 375}));
}

TEST_F(WindowTest, OnlyVisibleWindowsAreDrawnAndTheirWidgetsReact) {
    CWindowManager manager;
    Frame([&] { manager.Update(); });
    EXPECT_EQ(At(200, 200), Black);

    CGuiWindow* window = MakeWindow(3);
    window->AddButton(Frames("b", 40, 20, {Red}).c_str(), 1, 10.0f, 100.0f, 4);
    manager.AddWindow(window);
    MoveMouse(120, 160);
    Frame([&] { manager.Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(At(200, 200), Black);
    EXPECT_EQ(gEventManager->GetClickedWidget(), -1);

    manager.ShowWindow(3);
    manager.DeactivateAll();
    Frame([&] { manager.Update(); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(At(200, 200), Blue);
    EXPECT_EQ(At(115, 155), Red);
    EXPECT_EQ(gEventManager->GetClickedWidget(), 4);
}

TEST_F(WindowTest, DrawAtPlacesTheContentWithoutTheTitleBar) {
    CGuiWindow* window = MakeWindow();
    window->AddButton(Frames("b", 40, 20, {Red}).c_str(), 1, 10.0f, 20.0f, 4);
    window->SetVisible(true);
    MoveMouse(515, 325);
    Frame([&] { window->DrawAt(500.0f, 300.0f); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(At(500, 300), Blue);
    EXPECT_EQ(At(512, 322), Red);
    EXPECT_EQ(gEventManager->GetClickedWidget(), 4);
    EXPECT_EQ(At(100, 50), Black);
    MoveMouse(505, 305);
    Frame([&] { window->DrawAt(500.0f, 300.0f); }, SDL_MOUSEBUTTONDOWN);
    EXPECT_FALSE(window->IsDragging());
    delete window;
}

TEST_F(WindowTest, ADestroyedWindowLeavesNoImageWithTheTextureManager) {
    const std::vector<CImage*>& listed = gTextureManager->GetImages();
    const size_t before = listed.size();
    CGuiWindow* window = MakeWindow();
    std::string frames = Frames("b", 40, 20, {Red, Green});
    window->AddButton(frames.c_str(), 2, 10.0f, 10.0f, 1);
    window->AddCheckBox(frames.c_str(), 2, frames.c_str(), 2, 10.0f, 50.0f, 2);
    window->AddImage((frames + "2.png").c_str(), 5, 5, 0.5f);
    std::vector<CImage*> owned(listed.begin() + static_cast<long>(before), listed.end());
    EXPECT_EQ(owned.size(), 8u);
    delete window;
    EXPECT_EQ(listed.size(), before);
    // The next image to register walks the list: nothing in it may be gone.
    CImage* next = new CImage(frames + "1.png");
    EXPECT_EQ(listed.back(), next);
    delete next;

    // A window manager takes its hidden windows with it too.
    CWindowManager* manager = new CWindowManager;
    manager->AddWindow(MakeWindow(5));
    EXPECT_EQ(listed.size(), before + 1);
    delete manager;
    EXPECT_EQ(listed.size(), before);
}

TEST_F(WindowTest, WindowsOutliveTheTextureManagerAtShutdown) {
    CGuiWindow* window = MakeWindow();
    window->AddButton(Frames("b", 40, 20, {Red}).c_str(), 1, 10.0f, 10.0f, 1);
    CGuiWindow* hidden = MakeWindow(2);
    gWindowManager->AddWindow(window);
    gWindowManager->AddWindow(hidden);
    gWindowManager->ShowWindow(1);
    // The kernel deletes the texture manager before the window manager.
    delete engine;
    engine = nullptr;
    EXPECT_EQ(gTextureManager, nullptr);
    EXPECT_EQ(gWindowManager, nullptr);
}

} // namespace
