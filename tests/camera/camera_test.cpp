// The camera manager's list of 2D offsets and the 3D camera's pure movement, without a display.
#include "camera/Camera.h"
#include "camera/Camera2D.h"
#include "camera/CameraManager.h"

#include "support/FreedBlocks.h"

#include <cmath>
#include <gtest/gtest.h>

using korvel::test::WasFreed;

TEST(CameraManagerTest, AnEmptyManagerHasNoCameraAndIgnoresMoves) {
    CCameraManager manager;
    EXPECT_EQ(manager.GetCurrentCamera(), nullptr);
    EXPECT_EQ(manager.GetCamera(0), nullptr);
    manager.AddX(5);
    manager.Offset(1, 1);
    manager.SelectCamera(0);
    manager.AddCamera(nullptr);
    EXPECT_EQ(manager.count, 0u);
    EXPECT_EQ(manager.current, 0u);
}

TEST(CameraManagerTest, TheNewestCameraIsCurrentAndSelectionStaysInRange) {
    CCameraManager manager;
    CCamera2D* first = new CCamera2D(10, 0);
    CCamera2D* second = new CCamera2D(0, 20);
    manager.AddCamera(first);
    manager.AddCamera(second);
    EXPECT_EQ(manager.GetCurrentCamera(), second);
    manager.SelectCamera(2);
    EXPECT_EQ(manager.GetCurrentCamera(), second);
    manager.SelectCamera(0);
    EXPECT_EQ(manager.GetCurrentCamera(), first);
    EXPECT_EQ(manager.GetCamera(1), second);
    EXPECT_EQ(manager.GetCamera(2), nullptr);
}

TEST(CameraManagerTest, MovesActOnTheCurrentCamera) {
    CCameraManager manager;
    CCamera2D* other = new CCamera2D;
    CCamera2D* camera = new CCamera2D(1, 1);
    manager.AddCamera(other);
    manager.AddCamera(camera);
    manager.Offset(3, -4);
    EXPECT_EQ(camera->GetPosition(), std::make_pair(4.0f, -3.0f));
    manager.AddX(2);
    manager.SubtractX(0.5f);
    manager.AddY(10);
    manager.SubtractY(1);
    EXPECT_EQ(camera->GetPosition(), std::make_pair(5.5f, 6.0f));
    EXPECT_EQ(other->GetPosition(), std::make_pair(0.0f, 0.0f));
}

TEST(CameraManagerTest, DestroyingTheManagerDeletesItsCameras) {
    korvel::test::StartRecordingFrees();
    CCamera2D* a = new CCamera2D;
    CCamera2D* b = new CCamera2D;
    {
        CCameraManager manager;
        manager.AddCamera(a);
        manager.AddCamera(b);
        // Adding a camera again lists it once (it is deleted once) and makes it current.
        manager.AddCamera(a);
        EXPECT_EQ(manager.count, 2u);
        EXPECT_EQ(manager.GetCurrentCamera(), a);
    }
    EXPECT_TRUE(WasFreed(a));
    EXPECT_TRUE(WasFreed(b));
    korvel::test::StopRecordingFrees();
}

TEST(CameraTest, MoveToKeepsTheViewAndStrafingStaysLevel) {
    CCamera camera;
    camera.MoveTo(0, 0, 0);
    EXPECT_EQ(camera.target, Vec3(1, 0, 26));
    EXPECT_EQ(camera.position, Vec3(0, 0, 0));

    camera.side = Vec3(0.6f, 0.8f, 0.0f);
    camera.MoveSideways(5);
    EXPECT_EQ(camera.position, Vec3(3, 0, 0));
    EXPECT_EQ(camera.target, Vec3(4, 0, 26));
}

TEST(CameraTest, RotationFollowsTheRightHandRule) {
    CCamera camera;
    camera.Place(0, 0, 0, 1, 0, 0, 0, 1, 0);
    // A quarter turn about +z takes +x to +y.
    camera.RotateAroundAxis(static_cast<float>(M_PI / 2), 0, 0, 1);
    EXPECT_NEAR(camera.target.x, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.target.y, 1.0f, 1e-6f);
    EXPECT_NEAR(camera.target.z, 0.0f, 1e-6f);
}

TEST(CameraTest, DegenerateViewsNeverProduceNonFiniteValues) {
    CCamera camera;
    camera.Place(0, 0, 0, 0, 0, 0, 0, 1, 0);
    camera.MoveForward(3);
    EXPECT_EQ(camera.position, Vec3(0, 0, 0));

    // Straight up: the side axis has no direction and keeps its last value.
    camera.side = Vec3(-1, 0, 0);
    camera.Place(0, 0, 0, 0, 10, 0, 0, 1, 0);
    camera.Update();
    EXPECT_EQ(camera.side, Vec3(-1, 0, 0));
    camera.MoveForward(2);
    EXPECT_EQ(camera.position, Vec3(0, 2, 0));
    camera.MoveSideways(1);
    EXPECT_TRUE(std::isfinite(camera.position.x) && std::isfinite(camera.position.z));
    EXPECT_EQ(camera.position, Vec3(-1, 2, 0));
}
