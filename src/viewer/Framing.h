// Where the viewer puts a model given on the command line: standing on the grid as tall as the
// hobgoblin where that fits, otherwise made smaller until the whole box of its starting animation lies
// inside the view with a margin. Plain arithmetic, no GL.
#pragma once

#include "base/Vec3.h"
#include "models/ModelData.h"

// What the camera sees: eye, target and up, and the perspective (vertical field of view in degrees,
// width over height, near and far planes).
struct ViewVolume {
    Vec3 eye, target, up;
    float fieldOfView, aspect, zNear, zFar;
};

// A box in the model's own units.
struct Box {
    Vec3 low, high;
};

class CFraming {
public:
    // Of the view's half width and half height, this fraction is kept free around a framed model.
    static constexpr float kMargin = 0.1f;

    // The box over every frame the animation plays; false when it has none.
    static bool AnimationBox(const ModelData& data, int animation, Box& box);
    // The scale that stands the box, turned by `rotation` degrees about the vertical axis, on the
    // ground as tall as the hobgoblin, made smaller until every corner lies inside the view with the
    // margin to spare.
    static float FitScale(const Box& box, float rotation, const ViewVolume& view);
    // The model's position for that scale and rotation: the middle of the box's bottom where the
    // hobgoblin's feet are.
    static Vec3 Position(const Box& box, float scale, float rotation);
    // The world point at the middle of the box so placed, which the orbit turns about.
    static Vec3 Centre(const Box& box, float scale);
    // Whether a world point lies inside the view with the margin to spare.
    static bool InView(const Vec3& point, const ViewVolume& view);
};
