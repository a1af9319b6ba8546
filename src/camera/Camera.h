/// \class CCamera
/// The engine's 3D viewpoint: an eye point looking at a target point, turned into the view transform
/// with gluLookAt, plus first-person steering (mouse look and keyboard movement).
#pragma once

#include "base/Vec3.h"

class CCamera {
public:
    /// Eye at (0, 5, -25) looking at (1, 5, 1), y up.
    CCamera();
    ~CCamera();

    /// Sets the eye, the target and the up vector.
    void Place(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ, float upX,
               float upY, float upZ);
    /// Multiplies the view transform onto the current matrix.
    void Look();
    /// One frame of steering: the side axis, then mouse look, then keyboard movement.
    void Update();
    /// Turns the view by the pointer's offset from the window centre and puts the pointer back there.
    void MouseLook();
    /// Moves with the arrow keys or W, A, S, D, scaled by the frame time.
    void KeyboardMove();
    /// Turns the view direction about a unit axis through the eye, right-handed, angle in radians.
    void RotateAroundAxis(float angle, float x, float y, float z);
    /// Moves the eye along the view direction; the target stays.
    void MoveForward(float speed);
    /// Moves eye and target along the side axis, level (y never changes).
    void MoveSideways(float speed);
    /// Moves the eye to a point, keeping the view direction and distance.
    void MoveTo(float x, float y, float z);

    Vec3 position; ///< The eye point.
    Vec3 target;   ///< The point looked at.
    Vec3 up;       ///< The up vector.
    Vec3 side;     ///< The side axis, worked out by Update from the view direction and up.

    /// The vertical mouse-look angle in radians, shared by every camera for the whole process and held
    /// within -1..1.
    static float pitch;
};
