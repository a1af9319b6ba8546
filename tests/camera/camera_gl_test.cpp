// The camera and the camera manager with a live engine: the view matrix read back from OpenGL, mouse
// look driven by real pointer warps, and movement with a frame time set through the tick seam.
#include "support/PrivateDisplayTest.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "camera/Camera.h"
#include "camera/Camera2D.h"
#include "camera/CameraManager.h"
#include "graphics/Utils.h"

#include <SDL.h>
#include <cmath>

using korvel::test::PrivateDisplayTest;

namespace {

class CameraGLTest : public PrivateDisplayTest {
protected:
    void SetUp() override {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    static void ExpectNear(Vec3 actual, Vec3 expected, float tolerance = 1e-4f) {
        EXPECT_NEAR(actual.x, expected.x, tolerance);
        EXPECT_NEAR(actual.y, expected.y, tolerance);
        EXPECT_NEAR(actual.z, expected.z, tolerance);
    }

    static std::array<GLfloat, 16> ModelView() {
        std::array<GLfloat, 16> m{};
        glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
        return m;
    }
};

uint32_t fakeTicks = 0;
uint32_t FakeTicks() {
    return fakeTicks;
}

// Gives the utilities a measured frame interval of `milliseconds`.
void SetFrameTime(uint32_t milliseconds) {
    CUtils::SetTickSource(FakeTicks);
    fakeTicks = 5000;
    gUtils->UpdateFPS();
    fakeTicks += milliseconds;
    gUtils->UpdateFPS();
    CUtils::SetTickSource(nullptr);
}

} // namespace

TEST_F(CameraGLTest, ANewCameraLooksFromItsStartingPoint) {
    CCamera camera;
    camera.Look();
    auto actual = ModelView();
    glLoadIdentity();
    gluLookAt(0, 5, -25, 1, 5, 1, 0, 1, 0);
    auto expected = ModelView();
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(actual[i], expected[i]) << i;
    }
}

TEST_F(CameraGLTest, MouseLookTurnsByThePointerOffsetAndRecentres) {
    CCamera camera;
    ASSERT_TRUE(WarpPointer(512, 384));
    camera.MouseLook();
    EXPECT_EQ(camera.target, Vec3(1, 5, 1));

    // 100 pixels left: 0.2 radians to the left about the world y axis.
    ASSERT_TRUE(WarpPointer(412, 384));
    camera.MouseLook();
    float c = std::cos(0.2f), s = std::sin(0.2f);
    ExpectNear(camera.target, Vec3(0, 5, -25) + Vec3(c * 1 + s * 26, 0, -s * 1 + c * 26));
    EXPECT_EQ(CCamera::pitch, 0.0f);
    EXPECT_TRUE(WaitForPointer(512, 384));
}

TEST_F(CameraGLTest, PitchStopsAtItsLimitAndTurnsAgainOnTheWayBack) {
    CCamera camera;
    ASSERT_TRUE(WarpPointer(512, 84));
    camera.MouseLook();
    EXPECT_FLOAT_EQ(CCamera::pitch, -0.6f);
    EXPECT_GT(camera.target.y, 5.0f);
    ASSERT_TRUE(WaitForPointer(512, 384));

    // The call that crosses one radian turns nothing, not even by its sideways part.
    Vec3 before = camera.target;
    ASSERT_TRUE(WarpPointer(312, 84));
    camera.MouseLook();
    EXPECT_EQ(CCamera::pitch, -1.0f);
    EXPECT_EQ(camera.target, before);
    ASSERT_TRUE(WaitForPointer(512, 384));

    ASSERT_TRUE(WarpPointer(512, 484));
    camera.MouseLook();
    EXPECT_FLOAT_EQ(CCamera::pitch, -0.8f);
    EXPECT_LT(camera.target.y, before.y);
}

TEST_F(CameraGLTest, KeyboardMovesByTheFrameTime) {
    CCamera camera;
    ASSERT_TRUE(WarpPointer(512, 384));
    SetFrameTime(10);
    Uint8* keys = SDL_GetKeyState(nullptr);

    keys[SDLK_UP] = 1;
    camera.Update();
    keys[SDLK_UP] = 0;
    Vec3 dir = Normalize(Vec3(1, 0, 26));
    ExpectNear(camera.position, Vec3(0, 5, -25) + dir * 2.0f, 1e-3f);
    EXPECT_EQ(camera.target, Vec3(1, 5, 1));

    // Left arrow and D cancel out.
    Vec3 before = camera.position;
    keys[SDLK_LEFT] = 1;
    keys[SDLK_d] = 1;
    camera.Update();
    keys[SDLK_LEFT] = 0;
    keys[SDLK_d] = 0;
    ExpectNear(camera.position, before, 1e-4f);

    // A strafes left, which is +x when looking down +z.
    keys[SDLK_a] = 1;
    camera.Update();
    keys[SDLK_a] = 0;
    EXPECT_GT(camera.position.x, before.x + 1.9f);
    EXPECT_EQ(camera.position.y, before.y);
}

TEST_F(CameraGLTest, TheManagerAppliesTheCurrentOffset) {
    CCameraManager manager;
    manager.Apply();
    auto untouched = ModelView();
    EXPECT_EQ(untouched[12], 0.0f);
    EXPECT_EQ(untouched[13], 0.0f);

    manager.AddCamera(new CCamera2D(10, 0));
    manager.AddCamera(new CCamera2D(0, 20));
    manager.Apply();
    auto second = ModelView();
    EXPECT_EQ(second[12], 0.0f);
    EXPECT_EQ(second[13], 20.0f);

    glLoadIdentity();
    manager.SelectCamera(0);
    manager.Apply();
    auto first = ModelView();
    EXPECT_EQ(first[12], 10.0f);
    EXPECT_EQ(first[13], 0.0f);
}
