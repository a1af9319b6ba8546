// The viewer's mouse orbit: an eye on a sphere around a target point, turned by drags and moved
// nearer or farther by the wheel. Plain arithmetic; the viewer puts the engine's camera where it says.
#pragma once

#include "base/Vec3.h"

class COrbitCamera {
public:
    // A drag of one pixel turns the orbit by this many radians; a wheel notch zooms by 10%.
    static constexpr float kDragStep = 0.01f;
    static constexpr float kZoomStep = 1.1f;

    COrbitCamera();
    // Starts orbiting `target` from where the eye stands now.
    void Start(const Vec3& eye, const Vec3& target);
    bool Started() const { return started; }
    // Turns about the vertical axis (yaw) and up or down (pitch, held short of the poles), both in
    // radians, and multiplies the distance by `zoom` (held between 2 and 500 units).
    void Move(float yaw, float pitch, float zoom);
    Vec3 Eye() const;
    const Vec3& Target() const { return target; }

private:
    bool started;
    Vec3 target;
    float yaw, pitch, radius;
};
