// Small vector and rotation types for the model generators (single precision, header only).
#pragma once

#include <cmath>

namespace assetgen {

struct V3 {
    float x = 0, y = 0, z = 0;
};

inline V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline V3 operator*(V3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline V3 operator*(float s, V3 a) {
    return a * s;
}
inline V3& operator+=(V3& a, V3 b) {
    return a = a + b;
}
inline float Dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline V3 Cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(V3 a) {
    return std::sqrt(Dot(a, a));
}
inline V3 Normalized(V3 a) {
    const float length = Length(a);
    return length > 0 ? a * (1.0f / length) : a;
}
inline V3 Lerp(V3 a, V3 b, float t) {
    return a + (b - a) * t;
}

// A rotation matrix; m[row][column], applied to column vectors.
struct Mat3 {
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    V3 operator*(V3 v) const {
        return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
    }
    Mat3 operator*(const Mat3& b) const {
        Mat3 r;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                r.m[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j];
            }
        }
        return r;
    }
};

inline float Radians(float degrees) {
    return degrees * 3.14159265358979f / 180.0f;
}

// Rotation by `degrees` about one coordinate axis (0 = x, 1 = y, 2 = z), right-handed.
inline Mat3 AxisRotation(int axis, float degrees) {
    const float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    Mat3 r;
    r.m[a][a] = c;
    r.m[a][b] = -s;
    r.m[b][a] = s;
    r.m[b][b] = c;
    return r;
}

// Roll about x first, then pitch about y, then yaw about z (angles in degrees).
inline Mat3 EulerRotation(V3 degrees) {
    return AxisRotation(2, degrees.z) * AxisRotation(1, degrees.y) * AxisRotation(0, degrees.x);
}

} // namespace assetgen
