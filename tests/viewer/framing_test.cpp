// The viewer's framing and orbit, without a display: every shape fits the view with its margin and
// is not left small, characters keep the hobgoblin's framing, the orbit turns about its target; the
// playback clock runs at the speed asked without a jump when the speed changes.
#include "camera/Camera.h"
#include "demo/ViewerScene.h"
#include "graphics/GraphicsCore.h"
#include "models/MD2Model.h"
#include "viewer/Framing.h"
#include "viewer/OrbitCamera.h"
#include "viewer/PlaybackClock.h"

#include <SDL.h>
#include <cmath>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// What the viewer's camera sees before any orbit.
ViewVolume StartView() {
    CCamera camera;
    return {camera.position,
            camera.target,
            camera.up,
            static_cast<float>(CGraphicsCore::kFieldOfView),
            static_cast<float>(CViewerScene::kWidth) / CViewerScene::kHeight,
            static_cast<float>(CGraphicsCore::kNearPlane),
            static_cast<float>(CGraphicsCore::kFarPlane)};
}

bool BoxInView(const Box& box, float scale, float rotation, const ViewVolume& view) {
    const Vec3 position = CFraming::Position(box, scale, rotation);
    const float angle = rotation * 3.14159265f / 180.0f;
    for (int c = 0; c < 8; ++c) {
        Vec3 p(c & 1 ? box.high.x : box.low.x, c & 2 ? box.high.y : box.low.y,
               c & 4 ? box.high.z : box.low.z);
        p = p * scale;
        Vec3 turned(p.x * std::cos(angle) + p.z * std::sin(angle), p.y,
                    -p.x * std::sin(angle) + p.z * std::cos(angle));
        if (!CFraming::InView(position + turned, view)) {
            return false;
        }
    }
    return true;
}

TEST(Framing, EveryShapeFitsTheViewAndFillsItsShareOfIt) {
    const ViewVolume view = StartView();
    const float rotation = CViewerScene::kModelRotation;
    struct Shape {
        const char* name;
        Box box;
    };
    const Shape shapes[] = {
        {"long", {Vec3(-200, 0, -5), Vec3(200, 20, 5)}},
        {"deep", {Vec3(-5, 0, -200), Vec3(5, 20, 200)}},
        {"flat", {Vec3(-50, 0, -50), Vec3(50, 0, 50)}},
        {"tiny", {Vec3(0, 0, 0), Vec3(0.3f, 1.1f, 0.3f)}},
        {"huge", {Vec3(-4e4f, 0, -4e4f), Vec3(4e4f, 9e4f, 4e4f)}},
        {"lifted", {Vec3(0, 500, 0), Vec3(30, 560, 30)}},
    };
    for (const Shape& shape : shapes) {
        const float scale = CFraming::FitScale(shape.box, rotation, view);
        EXPECT_TRUE(BoxInView(shape.box, scale, rotation, view)) << shape.name;
        // As large as fits: a tenth larger would cross the margin, or it already stands as tall as the
        // hobgoblin.
        const float height = (shape.box.high.y - shape.box.low.y) * scale;
        const bool asTall =
            std::fabs(height - CViewerScene::kStandHeight) < 1e-3f * CViewerScene::kStandHeight;
        EXPECT_TRUE(asTall || !BoxInView(shape.box, scale * 1.1f, rotation, view)) << shape.name;
    }
}

TEST(Framing, ACharacterStandsOnTheGridAsTallAsTheHobgoblin) {
    // A figure a quarter as tall as the hobgoblin file's, its feet below the file's origin.
    const Box figure{Vec3(-4, -12, -3), Vec3(4, 2.4f, 3)};
    const float scale = CFraming::FitScale(figure, CViewerScene::kModelRotation, StartView());
    EXPECT_NEAR((figure.high.y - figure.low.y) * scale, CViewerScene::kStandHeight, 1e-3f);
    const Vec3 position = CFraming::Position(figure, scale, CViewerScene::kModelRotation);
    EXPECT_NEAR(position.y + figure.low.y * scale, CViewerScene::kFeetY, 1e-4f);
    const Vec3 centre = CFraming::Centre(figure, scale);
    EXPECT_NEAR(centre.y, CViewerScene::kFeetY + CViewerScene::kStandHeight / 2, 1e-4f);
    EXPECT_NEAR(centre.x, CViewerScene::kStandX, 1e-4f);
}

TEST(Framing, TheBoxSpansEveryFrameOfTheAnimationOnly) {
    ModelData data;
    Vec3 points[3][2] = {
        {Vec3(0, 0, 0), Vec3(1, 1, 1)}, {Vec3(0, 5, 0), Vec3(1, 9, 1)}, {Vec3(-50, 0, 0), Vec3(0, 0, 0)}};
    for (auto& frame : points) {
        FrameMesh mesh;
        mesh.vertexCount = 2;
        mesh.positions.assign(frame, frame + 2);
        data.frames.push_back(mesh);
    }
    data.frameCount = 3;
    data.animations = {{"walk", 0, 2}, {"die", 2, 2}};
    data.animationCount = 2;
    Box box;
    ASSERT_TRUE(CFraming::AnimationBox(data, 0, box));
    EXPECT_EQ(box.low, Vec3(0, 0, 0));
    EXPECT_EQ(box.high, Vec3(1, 9, 1));
    data.frames.clear(); // the points belong to the test, not to the data
}

TEST(OrbitCamera, StartsWhereTheEyeIsAndTurnsAtItsDistance) {
    COrbitCamera orbit;
    const Vec3 eye(0, 5, -25), target(0, 4, -2);
    orbit.Start(eye, target);
    EXPECT_NEAR(Distance(orbit.Eye(), eye), 0.0f, 1e-4f);
    const float radius = Distance(eye, target);
    orbit.Move(1.0f, 0.3f, 1.0f);
    EXPECT_NEAR(Distance(orbit.Eye(), target), radius, 1e-3f);
    EXPECT_GT(orbit.Eye().y, eye.y);
    orbit.Move(0.0f, 10.0f, 0.5f);
    EXPECT_NEAR(Distance(orbit.Eye(), target), radius * 0.5f, 1e-3f);
    EXPECT_LT(orbit.Eye().y - target.y, radius * 0.5f) << "short of the pole";
    orbit.Move(0.0f, 0.0f, 1e6f);
    EXPECT_NEAR(Distance(orbit.Eye(), target), 500.0f, 1e-2f);
}

TEST(PlaybackClock, RunsAtTheSpeedAskedWithoutAJump) {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
    CPlaybackClock::Install(1.0f);
    EXPECT_NEAR(static_cast<double>(CPlaybackClock::Ticks()), SDL_GetTicks(), 2.0);
    // Ticks of the clock and of SDL over 200 ms at a speed.
    auto measure = [](float speed, uint32_t& real) {
        CPlaybackClock::SetSpeed(speed);
        const uint32_t clockStart = CPlaybackClock::Ticks(), realStart = SDL_GetTicks();
        usleep(200 * 1000);
        real = SDL_GetTicks() - realStart;
        return CPlaybackClock::Ticks() - clockStart;
    };
    uint32_t real = 0;
    const uint32_t fast = measure(100.0f, real);
    EXPECT_EQ(CPlaybackClock::Speed(), CPlaybackClock::kFastest);
    EXPECT_NEAR(fast, 8.0 * real, 20.0);
    const uint32_t beforeChange = CPlaybackClock::Ticks();
    const uint32_t slow = measure(0.01f, real);
    EXPECT_EQ(CPlaybackClock::Speed(), CPlaybackClock::kSlowest);
    EXPECT_NEAR(slow, real / 8.0, 3.0);
    EXPECT_LE(CPlaybackClock::Ticks() - beforeChange, slow + 20) << "the clock jumped at the change";
    CMD2Model::SetTickSource(nullptr);
    SDL_Quit();
}

} // namespace
