// Tag transforms between key frames, and as matrices.
#include "models/MD2Tags.h"

#include <cmath>

namespace {

Vec3 Lerp(Vec3 a, Vec3 b, float t) {
    return a + (b - a) * t;
}

// v without its parts along the first `count` of the unit vectors `axes`, one after another.
Vec3 Without(Vec3 v, const Vec3* axes, int count) {
    for (int j = 0; j < count; ++j) {
        v = v - axes[j] * Dot(v, axes[j]);
    }
    return v;
}

// A unit vector along v; the identity's axis i when v has no length.
Vec3 UnitOr(Vec3 v, int i) {
    const float length = Length(v);
    return length > 0.0f ? v / length : MD2TagTransform().axis[i];
}

} // namespace

void MD2TagTransform::ToMatrix(float m[16]) const {
    const Vec3 columns[4] = {axis[0], axis[1], axis[2], origin};
    for (int c = 0; c < 4; ++c) {
        m[4 * c] = columns[c].x;
        m[4 * c + 1] = columns[c].y;
        m[4 * c + 2] = columns[c].z;
        m[4 * c + 3] = c == 3 ? 1.0f : 0.0f;
    }
}

Vec3 MD2TagTransform::Apply(Vec3 p) const {
    return origin + axis[0] * p.x + axis[1] * p.y + axis[2] * p.z;
}

bool MD2TagTransform::IsRotation() const {
    const float kTolerance = 1e-3f;
    for (int i = 0; i < 3; ++i) {
        if (!(std::fabs(Length(axis[i]) - 1.0f) <= kTolerance) ||
            !(std::fabs(Dot(axis[i], axis[(i + 1) % 3])) <= kTolerance)) {
            return false;
        }
    }
    return true;
}

MD2TagTransform CMD2Tags::Get(int tag, int frame) const {
    if (tag < 0 || tag >= GetCount() || frame < 0 || frame >= frameCount) {
        return MD2TagTransform();
    }
    return transforms[static_cast<size_t>(tag) * static_cast<size_t>(frameCount) +
                      static_cast<size_t>(frame)];
}

MD2TagTransform CMD2Tags::Interpolate(int tag, int cur, int next, float t) const {
    const MD2TagTransform a = Get(tag, cur);
    const MD2TagTransform b = Get(tag, next);
    MD2TagTransform mixed;
    mixed.origin = Lerp(a.origin, b.origin, t);
    // Blended axes shrink and lean toward each other half-way through a turn; Gram-Schmidt squares
    // them again, keeping each axis's own sign so a mirrored tag stays mirrored. An axis that blends
    // away to nothing (a half turn) keeps the one of the frame being left.
    for (int i = 0; i < 3; ++i) {
        Vec3 v = Without(Lerp(a.axis[i], b.axis[i], t), mixed.axis, i);
        if (Length(v) < 1e-6f) {
            v = Without(a.axis[i], mixed.axis, i);
        }
        // Axes of a damaged file may all lie along one line: each is still made unit, so the next
        // one taken off it stays finite.
        mixed.axis[i] = Length(v) > 0.0f ? v / Length(v) : UnitOr(a.axis[i], i);
    }
    return mixed;
}
