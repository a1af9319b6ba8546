// The utilities' debug drawings against a real GL context: the cube's faces and what it leaves behind.
#include "support/EngineFixture.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/Utils.h"

#include <array>

using korvel::test::EngineTest;

class UtilsDrawingTest : public EngineTest {};

TEST_F(UtilsDrawingTest, EachFaceOfTheCubeHasItsOwnColourAndTheCubeLeavesNoTranslation) {
    struct View {
        float angle, x, y; // the cube turned this far about (x, y, 0), then seen from +z
        std::array<uint8_t, 3> colour;
        const char* face;
    };
    const View views[] = {
        {0.0f, 1.0f, 0.0f, {255, 0, 0}, "front"}, {180.0f, 0.0f, 1.0f, {255, 255, 0}, "back"},
        {90.0f, 1.0f, 0.0f, {0, 255, 0}, "top"},  {-90.0f, 1.0f, 0.0f, {255, 128, 0}, "bottom"},
        {90.0f, 0.0f, 1.0f, {0, 0, 255}, "left"}, {-90.0f, 0.0f, 1.0f, {255, 0, 255}, "right"},
    };
    for (const View& view : views) {
        ClearFrame();
        // An orthographic view with the nearest face in front, whatever the order of drawing.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -2, 2, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glRotatef(view.angle, view.x, view.y, 0.0f);
        glDepthFunc(GL_LESS);
        gUtils->DrawCube(0.0f, 0.0f, 0.0f);
        const std::array<uint8_t, 4> centre = Pixel(kWidth / 2, kHeight / 2);
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(centre[c], view.colour[c], 1) << view.face << " channel " << c;
        }
    }

    ClearFrame();
    std::array<float, 16> before{}, after{};
    glGetFloatv(GL_MODELVIEW_MATRIX, before.data());
    gUtils->DrawCube(3.0f, -2.0f, 7.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
    EXPECT_EQ(before, after);
    std::array<float, 4> colour{};
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    EXPECT_EQ(colour, (std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
}
