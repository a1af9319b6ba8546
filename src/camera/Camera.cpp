#include "camera/Camera.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"

#include <SDL.h>
#include <cmath>

namespace {

const float MouseDivisor = 500.0f;
const float PitchLimit = 1.0f;
const float MoveSpeed = 200.0f;

// The unit vector along v, or false when v has no direction (zero or not finite).
bool UnitOf(Vec3 v, Vec3& unit) {
    float length = Length(v);
    if (!(length > 0.0f) || !std::isfinite(length)) {
        return false;
    }
    unit = DivideByScalar(v, length);
    return true;
}

} // namespace

float CCamera::pitch = 0.0f;

CCamera::CCamera() : position(0.0f, 5.0f, -25.0f), target(1.0f, 5.0f, 1.0f), up(0.0f, 1.0f, 0.0f) {}

CCamera::~CCamera() = default;

void CCamera::Place(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ,
                    float upX, float upY, float upZ) {
    position = Vec3(eyeX, eyeY, eyeZ);
    target = Vec3(targetX, targetY, targetZ);
    up = Vec3(upX, upY, upZ);
}

void CCamera::Look() {
    gluLookAt(position.x, position.y, position.z, target.x, target.y, target.z, up.x, up.y, up.z);
}

void CCamera::Update() {
    // Looking along `up` (or from the target itself) leaves no side axis; the last one stays.
    UnitOf(Cross(target - position, up), side);
    MouseLook();
    KeyboardMove();
}

void CCamera::MouseLook() {
    if (!gGraphicsCore) {
        return;
    }
    int cx = static_cast<int>(gGraphicsCore->width / 2);
    int cy = static_cast<int>(gGraphicsCore->height / 2);
    int mx = 0, my = 0;
    SDL_GetMouseState(&mx, &my);
    if (mx == cx && my == cy) {
        return;
    }
    SDL_WarpMouse(static_cast<Uint16>(cx), static_cast<Uint16>(cy));
    float yaw = static_cast<float>(cx - mx) / MouseDivisor;
    float tilt = static_cast<float>(cy - my) / MouseDivisor;
    pitch -= tilt;
    // The call that crosses the limit turns nothing, not even sideways.
    if (pitch > PitchLimit) {
        pitch = PitchLimit;
        return;
    }
    if (pitch < -PitchLimit) {
        pitch = -PitchLimit;
        return;
    }
    // Straight along `up` the tilt axis falls back to the last side axis, so the view can tilt back.
    Vec3 axis;
    if (!UnitOf(Cross(target - position, up), axis)) {
        axis = side;
    }
    if (Length(axis) > 0.0f) {
        RotateAroundAxis(tilt, axis.x, axis.y, axis.z);
    }
    RotateAroundAxis(yaw, 0.0f, 1.0f, 0.0f);
}

void CCamera::KeyboardMove() {
    float speed = gUtils ? gUtils->GetFrameTime() * MoveSpeed : 0.0f;
    const Uint8* keys = SDL_GetKeyState(nullptr);
    if (!keys) {
        return;
    }
    if (keys[SDLK_UP] || keys[SDLK_w]) {
        MoveForward(speed);
    }
    if (keys[SDLK_DOWN] || keys[SDLK_s]) {
        MoveForward(-speed);
    }
    if (keys[SDLK_LEFT] || keys[SDLK_a]) {
        MoveSideways(-speed);
    }
    if (keys[SDLK_RIGHT] || keys[SDLK_d]) {
        MoveSideways(speed);
    }
}

void CCamera::RotateAroundAxis(float angle, float x, float y, float z) {
    Vec3 d = target - position;
    float c = static_cast<float>(std::cos(static_cast<double>(angle)));
    float s = static_cast<float>(std::sin(static_cast<double>(angle)));
    float k = 1.0f - c;
    Vec3 turned((c + k * x * x) * d.x + (k * x * y - s * z) * d.y + (k * x * z + s * y) * d.z,
                (k * x * y + s * z) * d.x + (c + k * y * y) * d.y + (k * y * z - s * x) * d.z,
                (k * x * z - s * y) * d.x + (k * y * z + s * x) * d.y + (c + k * z * z) * d.z);
    target = position + turned;
}

void CCamera::MoveForward(float speed) {
    // An eye sitting on its target has no direction to move in.
    Vec3 dir;
    if (!UnitOf(target - position, dir)) {
        return;
    }
    position = position + dir * speed;
}

void CCamera::MoveSideways(float speed) {
    position.x += side.x * speed;
    position.z += side.z * speed;
    target.x += side.x * speed;
    target.z += side.z * speed;
}

void CCamera::MoveTo(float x, float y, float z) {
    Vec3 to(x, y, z);
    target = target + (to - position);
    position = to;
}
