// The software mouse pointer: images loaded through the graphics core, drawn at the mouse position.
#include "support/PrivateDisplayTest.h"
#include "support/TestSupport.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "input/EventManager.h"
#include "textures/Image.h"
#include "textures/MousePointer.h"

#include <SDL.h>
#include <unistd.h>
#include <string>

using korvel::test::CaptureStream;
using korvel::test::PrivateDisplayTest;
using korvel::test::RunCommand;
using korvel::test::TempDir;

namespace {

class MousePointerTest : public PrivateDisplayTest {
protected:
    std::string MakeSquare(const std::string& colour) {
        std::string path = dir.File(colour + ".png");
        EXPECT_EQ(RunCommand("convert -size 16x16 xc:" + colour + " PNG32:" + path), 0);
        return path;
    }

    // Moves the real pointer there and lets the event manager see it.
    static void WarpTo(int x, int y) {
        ASSERT_TRUE(WarpPointer(x, y));
        gEventManager->SampleMouse();
    }

    // The pixel at (x, y) with the pointer drawn alone in a cleared 2D frame.
    static std::array<uint8_t, 4> DrawnAt(int x, int y) {
        ClearFrame();
        gGraphicsCore->Begin2D();
        glLoadIdentity();
        gGraphicsCore->DrawMousePointer();
        auto pixel = Pixel(x, y);
        gGraphicsCore->End2D();
        return pixel;
    }

    TempDir dir;
};

} // namespace

TEST_F(MousePointerTest, PointerFollowsTheMouseAndHidesTheSystemCursor) {
    gGraphicsCore->ShowCursor(true);
    gGraphicsCore->SetMousePointer(MakeSquare("red").c_str());
    EXPECT_TRUE(gGraphicsCore->mousePointer->softwarePointer);
    EXPECT_EQ(gGraphicsCore->mousePointer->currentPointer, gGraphicsCore->mousePointer->pointerImage);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    WarpTo(200, 150);
    ASSERT_EQ(gEventManager->GetMouseX(), 200);
    // The image's top-left corner sits on the mouse position.
    EXPECT_EQ(DrawnAt(201, 151)[0], 255);
    EXPECT_EQ(DrawnAt(214, 164)[0], 255);
    EXPECT_EQ(DrawnAt(198, 151)[0], 0);
    EXPECT_EQ(DrawnAt(201, 148)[0], 0);
}

TEST_F(MousePointerTest, WithOneImageTheFirstIsDrawnWhateverIsSelected) {
    gGraphicsCore->SetMousePointer(MakeSquare("red").c_str());
    WarpTo(300, 300);
    gGraphicsCore->SelectMousePointer(true);
    EXPECT_EQ(gGraphicsCore->mousePointer->currentPointer, nullptr);
    EXPECT_EQ(DrawnAt(305, 305)[0], 255);
}

TEST_F(MousePointerTest, TheSecondImageIsDrawnOnlyWhenSelected) {
    gGraphicsCore->SetMousePointers(MakeSquare("red").c_str(), MakeSquare("blue").c_str());
    EXPECT_TRUE(gGraphicsCore->mousePointer->hasSecondPointer);
    EXPECT_EQ(gGraphicsCore->mousePointer->currentPointer, gGraphicsCore->mousePointer->pointerImage);
    WarpTo(400, 200);
    auto first = DrawnAt(405, 205);
    gGraphicsCore->SelectMousePointer(true);
    auto second = DrawnAt(405, 205);
    gGraphicsCore->SelectMousePointer(false);
    auto again = DrawnAt(405, 205);
    EXPECT_EQ(first[0], 255);
    EXPECT_EQ(second[2], 255);
    EXPECT_EQ(second[0], 0);
    EXPECT_EQ(again[0], 255);
}

TEST_F(MousePointerTest, SecondImageAloneLeavesCursorAndSelectionAlone) {
    gGraphicsCore->ShowCursor(true);
    gGraphicsCore->SetSecondMousePointer(MakeSquare("blue").c_str());
    EXPECT_TRUE(gGraphicsCore->mousePointer->hasSecondPointer);
    EXPECT_FALSE(gGraphicsCore->mousePointer->softwarePointer);
    EXPECT_EQ(gGraphicsCore->mousePointer->currentPointer, nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    // Nothing is selected yet: drawing must not crash and shows nothing.
    EXPECT_EQ(DrawnAt(2, 2)[2], 0);
}

TEST_F(MousePointerTest, ReloadingTheSelectedSecondImageDrawsTheNewOne) {
    gGraphicsCore->SetMousePointers(MakeSquare("red").c_str(), MakeSquare("blue").c_str());
    gGraphicsCore->SelectMousePointer(true);
    gGraphicsCore->SetSecondMousePointer(MakeSquare("lime").c_str());
    EXPECT_EQ(gGraphicsCore->mousePointer->currentPointer, gGraphicsCore->mousePointer->secondPointerImage);
    WarpTo(400, 200);
    auto pixel = DrawnAt(405, 205);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(pixel[2], 0);
}

TEST_F(MousePointerTest, NullImageNamesAreReportedAsEmptyNamesAndDrawNothing) {
    CaptureStream out(STDOUT_FILENO);
    gGraphicsCore->SetMousePointers(nullptr, nullptr);
    gGraphicsCore->SetMousePointer(nullptr);
    gGraphicsCore->SetSecondMousePointer(nullptr);
    const std::string said = out.Text();
    EXPECT_EQ(said.rfind("Loading Texture: \nFailed to load the image: , Error: ", 0), 0u) << said;
    ASSERT_NE(gGraphicsCore->mousePointer->pointerImage, nullptr);
    ASSERT_NE(gGraphicsCore->mousePointer->secondPointerImage, nullptr);
    EXPECT_EQ(gGraphicsCore->mousePointer->pointerImage->texID, 0u);
    EXPECT_TRUE(gGraphicsCore->mousePointer->softwarePointer);
    WarpTo(100, 100);
    EXPECT_EQ(DrawnAt(105, 105)[0], 0);
}
