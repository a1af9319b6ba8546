/// \struct Vec3
/// The engine's three-component vector and its arithmetic. The three floats are the whole object, so
/// an array of Vec3 is an array of float triples (the MD2 frames and GL calls rely on that).
#pragma once

#include <cmath>

struct Vec3 {
    float x; ///< The x component.
    float y; ///< The y component.
    float z; ///< The z component.

    Vec3() : x(0.0f), y(0.0f), z(0.0f) {}
    /// The vector (x, y, z).
    Vec3(float x, float y, float z) : x(x), y(y), z(z) {}
};

static_assert(sizeof(Vec3) == 3 * sizeof(float), "Vec3 must be three packed floats");

/// Component-wise sum.
inline Vec3 Add(Vec3 a, Vec3 b) {
    return Vec3(a.x + b.x, a.y + b.y, a.z + b.z);
}

/// Component-wise difference a - b.
inline Vec3 Subtract(Vec3 a, Vec3 b) {
    return Vec3(a.x - b.x, a.y - b.y, a.z - b.z);
}

/// Each component divided by s; dividing by zero gives IEEE infinities or NaNs.
inline Vec3 DivideByScalar(Vec3 v, float s) {
    return Vec3(v.x / s, v.y / s, v.z / s);
}

inline float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

/// Right-handed cross product: Cross(x axis, y axis) is the z axis.
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return Vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

inline float Length(Vec3 v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

/// Unit vector along v; a zero vector gives NaNs (callers that may meet one guard it themselves).
inline Vec3 Normalize(Vec3 v) {
    return DivideByScalar(v, Length(v));
}

inline float Distance(Vec3 a, Vec3 b) {
    return Length(Subtract(b, a));
}

inline float AbsoluteValue(float f) {
    return f >= 0.0f ? f : 0.0f - f;
}

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return Add(a, b);
}

inline Vec3 operator-(Vec3 a, Vec3 b) {
    return Subtract(a, b);
}

inline Vec3 operator*(Vec3 v, float s) {
    return Vec3(v.x * s, v.y * s, v.z * s);
}

inline Vec3 operator/(Vec3 v, float s) {
    return DivideByScalar(v, s);
}

inline bool operator==(Vec3 a, Vec3 b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

inline bool operator!=(Vec3 a, Vec3 b) {
    return !(a == b);
}
