// Widgets and windows that have no images, or whose files are missing, do nothing harmful: they
// measure 0, draw nothing and take no click (no GL context needed).
#include "support/TestSupport.h"

#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiStaticText.h"
#include "gui/GuiWindow.h"
#include "gui/WindowManager.h"
#include "textures/Image.h"

#include <gtest/gtest.h>

using korvel::test::CaptureStream;

namespace {

TEST(GuiWithoutImages, DefaultButtonDoesNothingAndMeasuresZero) {
    CGuiButton button;
    button.Update();
    button.Update(10.0f, 10.0f);
    button.UpdateAt(0.0f, 0.0f);
    button.SetSize(100, 40);
    button.SetFrameRate(5);
    EXPECT_FLOAT_EQ(button.GetWidth(), 0.0f);
    EXPECT_FLOAT_EQ(button.GetHeight(), 0.0f);
    EXPECT_EQ(button.GetFrame(0), nullptr);
    EXPECT_FALSE(button.IsHover());
}

TEST(GuiWithoutImages, DefaultCheckBoxDoesNothingAndMeasuresZero) {
    CGuiCheckBox box;
    box.Update();
    box.UpdateAt(3.0f, 4.0f);
    box.SetPosition(5.0f, 6.0f);
    box.SetX(12.9f);
    box.SetFrameSize(32, 32);
    EXPECT_FLOAT_EQ(box.GetX(), 0.0f);
    EXPECT_FLOAT_EQ(box.GetY(), 0.0f);
    EXPECT_FLOAT_EQ(box.GetWidth(), 0.0f);
    EXPECT_FALSE(box.IsChecked());
}

TEST(GuiWithoutImages, WindowsTakeWidgetsWithoutImagesAndIgnoreNull) {
    CaptureStream out(1);
    CGuiWindow window(0, 0, 300, 200, nullptr, true, 1.0f, 15, 1, true);
    // A background that failed to load is still stretched to the window.
    ASSERT_NE(window.GetImage(0), nullptr);
    EXPECT_FLOAT_EQ(window.GetImage(0)->GetWidth(), 300.0f);
    EXPECT_FLOAT_EQ(window.GetImage(0)->GetHeight(), 200.0f);
    window.AddButton(new CGuiButton);
    window.AddCheckBox(new CGuiCheckBox);
    window.AddButton(nullptr);
    window.AddCheckBox(nullptr);
    window.AddImage(nullptr);
    window.AddStaticText(nullptr);
    window.SetVisible(true);
    window.Update();
    window.DrawAt(5.0f, 5.0f);
    EXPECT_EQ(window.GetImage(1), nullptr);
}

TEST(GuiWithoutImages, AWindowHoldsEachWidgetAndImageOnce) {
    CaptureStream out(1);
    CGuiWindow window(0, 0, 300, 200, "", false, 1.0f, 15, 1, false);
    CImage* image = new CImage;
    CGuiButton* button = new CGuiButton;
    CGuiCheckBox* box = new CGuiCheckBox;
    CGuiStaticText* text = new CGuiStaticText;
    for (int i = 0; i < 2; ++i) {
        window.AddImage(image);
        window.AddImage(window.GetImage(0));
        window.AddButton(button);
        window.AddCheckBox(box);
        window.AddStaticText(text);
    }
    EXPECT_EQ(window.GetImage(1), image);
    EXPECT_EQ(window.GetImage(2), nullptr);
    // Destroying the window deletes each of them once.
}

TEST(GuiWithoutImages, WindowEdgesFarApartDoNotOverflow) {
    CaptureStream out(1);
    CGuiWindow window(-2147483647 - 1, 0, 2147483647, 10, "", true, 1.0f, 15, 1, false);
    EXPECT_FLOAT_EQ(window.GetImage(0)->GetWidth(), 4294967295.0f);
}

TEST(GuiWithoutImages, WindowManagerHoldsAWindowOnce) {
    CWindowManager manager;
    CGuiWindow* window = new CGuiWindow;
    manager.AddWindow(window);
    manager.AddWindow(window);
    manager.AddWindow(nullptr);
    EXPECT_EQ(manager.GetWindowCount(), 1u);
}

TEST(GuiWithoutImages, ShowAndDeactivateFollowTheIds) {
    CWindowManager manager;
    CGuiWindow* a = new CGuiWindow;
    CGuiWindow* b = new CGuiWindow;
    CaptureStream out(1);
    CGuiWindow* c = new CGuiWindow(0, 0, 10, 10, "", false, 1.0f, 15, 4, false);
    manager.AddWindow(a);
    manager.AddWindow(b);
    manager.AddWindow(c);
    manager.ShowWindow(7);
    EXPECT_FALSE(a->IsVisible() || b->IsVisible() || c->IsVisible());
    manager.ShowWindow(-1); // the default id, shared by a and b
    EXPECT_TRUE(a->IsVisible() && a->IsActive());
    EXPECT_TRUE(b->IsVisible() && b->IsActive());
    EXPECT_FALSE(c->IsVisible());
    manager.DeactivateAll();
    EXPECT_TRUE(a->IsVisible() && b->IsVisible());
    EXPECT_FALSE(a->IsActive() || b->IsActive());
    a->SetActive(true);
    a->SetVisible(false);
    EXPECT_FALSE(a->IsActive());
}

} // namespace
