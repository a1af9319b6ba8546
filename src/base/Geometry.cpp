#include "base/Geometry.h"

#include <cmath>

namespace {

// A point inside a convex polygon sees its edges under a total angle of 2 pi; the 1 % margin
// (0.99 x 2 pi) absorbs the rounding of the angle sum.
const double kFullTurnThreshold = 6.220353454107791;

} // namespace

Vec3 TriangleNormal(const Vec3* polygon) {
    Vec3 e1 = Subtract(polygon[2], polygon[0]);
    Vec3 e2 = Subtract(polygon[1], polygon[0]);
    return Normalize(Cross(e1, e2));
}

float PlaneConstant(Vec3 n, Vec3 p) {
    return -Dot(n, p);
}

Vec3 ClosestPointOnSegment(Vec3 a, Vec3 b, Vec3 p) {
    Vec3 v = Subtract(p, a);
    Vec3 dir = Normalize(Subtract(b, a));
    float len = Distance(a, b);
    float t = Dot(dir, v);
    if (t <= 0.0f) {
        return a;
    }
    if (t >= len) {
        return b;
    }
    return Add(a, dir * t);
}

double AngleBetween(Vec3 a, Vec3 b) {
    float dot = Dot(a, b);
    float la = Length(a);
    float lb = Length(b);
    double ratio = static_cast<double>(dot / (la * lb));
    double angle = std::acos(ratio);
    // A ratio rounded just past +-1, or 0/0 from a zero vector, would otherwise poison every sum.
    if (std::isnan(angle)) {
        return 0.0;
    }
    return angle;
}

bool SegmentCrossesPlane(const Vec3* polygon, const Vec3* segment, Vec3& normal, float& constant) {
    normal = TriangleNormal(polygon);
    constant = PlaneConstant(normal, polygon[0]);
    float s0 = Dot(normal, segment[0]) + constant;
    float s1 = Dot(normal, segment[1]) + constant;
    return s0 * s1 < 0.0f;
}

Vec3 SegmentPlaneIntersection(Vec3 n, const Vec3* segment, double d) {
    Vec3 dir = Normalize(Subtract(segment[1], segment[0]));
    double numerator = -(static_cast<double>(Dot(n, segment[0])) + d);
    float denominator = Dot(n, dir);
    if (denominator == 0.0f) {
        return segment[0];
    }
    double t = numerator / denominator;
    return Vec3(static_cast<float>(segment[0].x + dir.x * t), static_cast<float>(segment[0].y + dir.y * t),
                static_cast<float>(segment[0].z + dir.z * t));
}

bool PointInPolygon(Vec3 p, const Vec3* polygon, int count) {
    if (count <= 0) {
        return false;
    }
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        sum += AngleBetween(Subtract(polygon[i], p), Subtract(polygon[(i + 1) % count], p));
    }
    return sum >= kFullTurnThreshold;
}

bool SegmentHitsPolygon(const Vec3* polygon, const Vec3* segment, int count) {
    Vec3 n;
    float d = 0.0f;
    if (!SegmentCrossesPlane(polygon, segment, n, d)) {
        return false;
    }
    Vec3 p = SegmentPlaneIntersection(n, segment, d);
    return PointInPolygon(p, polygon, count);
}

int ClassifySphere(const Vec3& centre, const Vec3& n, const Vec3& pointOnPlane, float radius,
                   float& distance) {
    float d = PlaneConstant(n, pointOnPlane);
    distance = Dot(n, centre) + d;
    if (AbsoluteValue(distance) < radius) {
        return Intersects;
    }
    if (distance >= radius) {
        return InFront;
    }
    return Behind;
}

bool SphereTouchesEdges(const Vec3& centre, const Vec3* polygon, int count, float radius) {
    for (int i = 0; i < count; ++i) {
        Vec3 q = ClosestPointOnSegment(polygon[i], polygon[(i + 1) % count], centre);
        if (Distance(q, centre) < radius) {
            return true;
        }
    }
    return false;
}

bool SphereHitsPolygon(const Vec3* polygon, const Vec3& centre, int count, float radius) {
    Vec3 n = TriangleNormal(polygon);
    float dist = 0.0f;
    if (ClassifySphere(centre, n, polygon[0], radius, dist) != Intersects) {
        return false;
    }
    Vec3 q = Subtract(centre, n * dist);
    if (PointInPolygon(q, polygon, count)) {
        return true;
    }
    return SphereTouchesEdges(centre, polygon, count, radius);
}

Vec3 SphereCollisionOffset(const Vec3& n, float radius, float distance) {
    if (distance > 0.0f) {
        return n * (radius - distance);
    }
    return n * (-(radius + distance));
}

bool SameSideOfEdge(Vec3 a, Vec3 b, Vec3 p, Vec3 n) {
    return Dot(Cross(Subtract(b, a), Subtract(p, a)), n) >= 0.0f;
}

bool RayHitsTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 origin, Vec3 direction, Vec3& hit) {
    Vec3 normal = Cross(Subtract(b, a), Subtract(c, b));
    float denominator = Dot(normal, direction);
    // Only rays travelling against the normal meet the front face.
    if (denominator >= 0.0f) {
        return false;
    }
    float t = -Dot(normal, Subtract(origin, a)) / denominator;
    if (t < 0.0f) {
        return false;
    }
    hit = Add(origin, direction * t);
    return SameSideOfEdge(a, b, hit, normal) && SameSideOfEdge(b, c, hit, normal) &&
           SameSideOfEdge(c, a, hit, normal);
}
