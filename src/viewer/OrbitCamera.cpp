#include "viewer/OrbitCamera.h"

#include <algorithm>
#include <cmath>

namespace {

const float kPitchLimit = 1.4f;
const float kNearest = 2.0f, kFarthest = 500.0f;

} // namespace

COrbitCamera::COrbitCamera() : started(false), yaw(0.0f), pitch(0.0f), radius(1.0f) {}

void COrbitCamera::Start(const Vec3& eye, const Vec3& around) {
    target = around;
    const Vec3 offset = eye - target;
    radius = std::max(Length(offset), 1e-3f);
    yaw = std::atan2(offset.x, offset.z);
    pitch = std::asin(std::clamp(offset.y / radius, -1.0f, 1.0f));
    started = true;
}

void COrbitCamera::Move(float yawStep, float pitchStep, float zoom) {
    yaw += yawStep;
    pitch = std::clamp(pitch + pitchStep, -kPitchLimit, kPitchLimit);
    radius = std::clamp(radius * zoom, kNearest, kFarthest);
}

Vec3 COrbitCamera::Eye() const {
    return Vec3(target.x + radius * std::cos(pitch) * std::sin(yaw), target.y + radius * std::sin(pitch),
                target.z + radius * std::cos(pitch) * std::cos(yaw));
}
