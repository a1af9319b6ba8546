// The hobgoblin drawn by the engine as the viewer places it (scale 0.2, position (0, 3, -2), turned
// 70 degrees, seen from the default camera): it stands on the grid, fills the expected part of the
// screen, wears its green skin the right way up and shows its yellow eyes to the viewer.
#include "demo/ViewerScene.h"
#include "models/MD2Model.h"
#include "support/EngineFixture.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "camera/Camera.h"

#include <algorithm>
#include <gtest/gtest.h>

using korvel::test::EngineTest;

namespace {

uint32_t StoppedClock() {
    return 0;
}

// Window row (top-left origin) where a world point appears with the current matrices.
double ScreenRow(double x, double y, double z) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return viewport[3] - wy;
}

} // namespace

class HobgoblinDrawn : public EngineTest {};

TEST_F(HobgoblinDrawn, StandsOnTheGridFacingTheViewerInItsGreenSkin) {
    CMD2Model::SetTickSource(StoppedClock); // frame stand01, not interpolated
    CMD2Model model;
    ASSERT_TRUE(CViewerScene::LoadHobgoblin(model));
    ASSERT_NE(model.GetTexture(), 0u);
    CViewerScene::PlaceHobgoblin(model);

    ClearFrame();
    glLoadIdentity();
    gCamera->Look();
    // The feet belong on the grid's plane (y = -1.9), from the heels at the model's origin to the
    // toes 1.5 units in front of it (it faces the camera), and the head is 11.2 units above them.
    const double heelRow = ScreenRow(0, -1.9, -2), toeRow = ScreenRow(0.5, -1.9, -3.5);
    const double headRow = ScreenRow(0, 3 + 32 * 0.2, -2);
    model.Render();
    CMD2Model::SetTickSource(nullptr);

    int top = 768, bottom = -1, left = 1024, right = -1, covered = 0, green = 0;
    std::vector<std::pair<int, int>> yellow;
    for (int y = 0; y < 768; y += 2) {
        for (int x = 0; x < 1024; x += 2) {
            const auto p = Pixel(x, y);
            if (p[0] + p[1] + p[2] == 0) {
                continue;
            }
            ++covered;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
            green += p[1] > p[0] && p[1] > p[2];
            if (p[0] > 170 && p[1] > 110 && p[2] < 90) {
                yellow.push_back({x, y});
            }
        }
    }
    ASSERT_GT(covered, 0) << "nothing drawn";
    EXPECT_GE(bottom, heelRow - 3);
    EXPECT_LE(bottom, toeRow + 3);
    EXPECT_NEAR(top, headRow, 20);
    EXPECT_NEAR((left + right) / 2, 512, 80) << "centred under the camera";
    EXPECT_GT(green, covered / 2) << "mostly green hide";
    // Eyes look out of the upper fifth of the figure, so its face is turned to the camera.
    ASSERT_FALSE(yellow.empty());
    for (const auto& [x, y] : yellow) {
        EXPECT_LT(y, top + (bottom - top) / 5) << x << "," << y;
    }
}
