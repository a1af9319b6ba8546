/// \file
/// The collision toolkit offered to applications: planes, segments, convex polygons, spheres and rays.
/// A polygon is a pointer to its first vertex plus a count; a segment is a pointer to its two ends.
#pragma once

#include "base/Vec3.h"

/// Where a sphere lies relative to a plane.
enum SphereSide { Behind = 0, Intersects = 1, InFront = 2 };

/// Unit normal of vertices 0, 1, 2; it points toward a viewer who sees them run clockwise.
Vec3 TriangleNormal(const Vec3* polygon);
/// The constant d of the plane n.p + d = 0 through point p.
float PlaneConstant(Vec3 n, Vec3 p);
/// The point of segment ab nearest to p.
Vec3 ClosestPointOnSegment(Vec3 a, Vec3 b, Vec3 p);
/// Angle between a and b in radians (0..pi); 0 when rounding or a zero vector would give a NaN.
double AngleBetween(Vec3 a, Vec3 b);
/// True when the segment's ends lie strictly on opposite sides of the polygon's plane; writes the plane.
bool SegmentCrossesPlane(const Vec3* polygon, const Vec3* segment, Vec3& normal, float& constant);
/// Where the segment's line meets the plane; the segment's start when it runs parallel to the plane.
Vec3 SegmentPlaneIntersection(Vec3 n, const Vec3* segment, double d);
/// True when p, lying in the plane of the convex polygon, is inside it.
bool PointInPolygon(Vec3 p, const Vec3* polygon, int count);
/// True when the segment passes through the convex polygon.
bool SegmentHitsPolygon(const Vec3* polygon, const Vec3* segment, int count);
/// Side of the plane (n, point on it) the sphere lies on; writes the centre's signed distance.
int ClassifySphere(const Vec3& centre, const Vec3& n, const Vec3& pointOnPlane, float radius,
                   float& distance);
/// True when some edge of the polygon passes closer than radius to the centre.
bool SphereTouchesEdges(const Vec3& centre, const Vec3* polygon, int count, float radius);
/// True when the sphere touches the convex polygon (its face or one of its edges).
bool SphereHitsPolygon(const Vec3* polygon, const Vec3& centre, int count, float radius);
/// The move that takes a sphere out of a plane on the side it is already on.
Vec3 SphereCollisionOffset(const Vec3& n, float radius, float distance);
/// True when p lies on the inner side of edge ab of a triangle with normal n.
bool SameSideOfEdge(Vec3 a, Vec3 b, Vec3 p, Vec3 n);
/// True when the ray hits the front face of triangle abc; writes the plane hit point even on a miss.
bool RayHitsTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 origin, Vec3 direction, Vec3& hit);
