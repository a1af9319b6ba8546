// Vector arithmetic and the collision toolkit on hand-checked cases.
#include "base/Geometry.h"
#include "base/Vec3.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const double kPi = 3.14159265358979323846;

void ExpectVec(Vec3 expected, Vec3 actual) {
    EXPECT_FLOAT_EQ(expected.x, actual.x);
    EXPECT_FLOAT_EQ(expected.y, actual.y);
    EXPECT_FLOAT_EQ(expected.z, actual.z);
}

// A right triangle in the plane z = 0 whose vertices run counter-clockwise seen from +z.
const Vec3 kTriangle[3] = {Vec3(0, 0, 0), Vec3(4, 0, 0), Vec3(0, 4, 0)};

} // namespace

TEST(Vec3Test, DefaultIsZeroAndArraysArePackedFloats) {
    Vec3* array = new Vec3[4];
    const float* floats = &array[0].x;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(0.0f, floats[i]);
    }
    array[1] = Vec3(1, 2, 3);
    EXPECT_EQ(2.0f, floats[4]);
    delete[] array;
}

TEST(Vec3Test, Arithmetic) {
    ExpectVec(Vec3(5, 7, 9), Add(Vec3(1, 2, 3), Vec3(4, 5, 6)));
    ExpectVec(Vec3(-3, -3, -3), Subtract(Vec3(1, 2, 3), Vec3(4, 5, 6)));
    ExpectVec(Vec3(0.5f, 1, 1.5f), DivideByScalar(Vec3(1, 2, 3), 2));
    EXPECT_FLOAT_EQ(32.0f, Dot(Vec3(1, 2, 3), Vec3(4, 5, 6)));
    ExpectVec(Vec3(0, 0, 1), Cross(Vec3(1, 0, 0), Vec3(0, 1, 0)));
    ExpectVec(Vec3(0, 0, 0), Cross(Vec3(2, 3, 4), Vec3(2, 3, 4)));
    EXPECT_FLOAT_EQ(5.0f, Length(Vec3(3, 0, 4)));
    ExpectVec(Vec3(0.6f, 0, 0.8f), Normalize(Vec3(3, 0, 4)));
    EXPECT_FLOAT_EQ(5.0f, Distance(Vec3(1, 1, 1), Vec3(4, 1, 5)));
    EXPECT_EQ(2.5f, AbsoluteValue(-2.5f));
    EXPECT_EQ(2.5f, AbsoluteValue(2.5f));
    EXPECT_TRUE(std::isnan(Normalize(Vec3()).x));
}

TEST(Vec3Test, AngleBetween) {
    EXPECT_DOUBLE_EQ(kPi / 2, AngleBetween(Vec3(1, 0, 0), Vec3(0, 0, 3)));
    EXPECT_DOUBLE_EQ(kPi, AngleBetween(Vec3(1, 0, 0), Vec3(-2, 0, 0)));
    EXPECT_EQ(0.0, AngleBetween(Vec3(1, 2, 3), Vec3()));
    // The float cosine of this vector with itself rounds above 1; acos would give a NaN.
    Vec3 v(0.1f, 0.1f, 0.1f);
    float cosine = Dot(v, v) / (Length(v) * Length(v));
    ASSERT_GT(cosine, 1.0f);
    EXPECT_EQ(0.0, AngleBetween(v, v));
}

TEST(GeometryTest, TriangleNormalAndPlaneConstant) {
    // Counter-clockwise from +z means clockwise from -z, so the normal points to -z.
    ExpectVec(Vec3(0, 0, -1), TriangleNormal(kTriangle));
    EXPECT_FLOAT_EQ(-3.0f, PlaneConstant(Vec3(0, 1, 0), Vec3(7, 3, -2)));
}

TEST(GeometryTest, ClosestPointOnSegment) {
    Vec3 a(0, 0, 0), b(10, 0, 0);
    ExpectVec(a, ClosestPointOnSegment(a, b, Vec3(-5, 2, 0)));
    ExpectVec(b, ClosestPointOnSegment(a, b, Vec3(15, -1, 0)));
    ExpectVec(Vec3(4, 0, 0), ClosestPointOnSegment(a, b, Vec3(4, 3, 2)));
}

TEST(GeometryTest, PointInPolygon) {
    EXPECT_TRUE(PointInPolygon(Vec3(4.0f / 3, 4.0f / 3, 0), kTriangle, 3));
    EXPECT_FALSE(PointInPolygon(Vec3(3, 3, 0), kTriangle, 3));
    EXPECT_FALSE(PointInPolygon(Vec3(1, 1, 0), kTriangle, 0));
}

TEST(GeometryTest, SegmentsAgainstPlanesAndPolygons) {
    Vec3 n;
    float d = 1.0f;
    Vec3 through[2] = {Vec3(1, 1, -1), Vec3(1, 1, 1)};
    EXPECT_TRUE(SegmentCrossesPlane(kTriangle, through, n, d));
    ExpectVec(Vec3(0, 0, -1), n);
    EXPECT_EQ(0.0f, d);
    Vec3 endsOnPlane[2] = {Vec3(1, 1, -1), Vec3(1, 1, 0)};
    EXPECT_FALSE(SegmentCrossesPlane(kTriangle, endsOnPlane, n, d));

    ExpectVec(Vec3(1, 1, 0), SegmentPlaneIntersection(Vec3(0, 0, 1), through, 0.0));
    Vec3 parallel[2] = {Vec3(1, 1, 2), Vec3(3, 1, 2)};
    ExpectVec(parallel[0], SegmentPlaneIntersection(Vec3(0, 0, 1), parallel, 0.0));

    EXPECT_TRUE(SegmentHitsPolygon(kTriangle, through, 3));
    Vec3 outside[2] = {Vec3(3, 3, -1), Vec3(3, 3, 1)};
    EXPECT_FALSE(SegmentHitsPolygon(kTriangle, outside, 3));
}

TEST(GeometryTest, Spheres) {
    Vec3 up(0, 1, 0), origin;
    float dist = 0.0f;
    EXPECT_EQ(InFront, ClassifySphere(Vec3(0, 2, 0), up, origin, 2.0f, dist));
    EXPECT_FLOAT_EQ(2.0f, dist);
    EXPECT_EQ(Behind, ClassifySphere(Vec3(0, -2, 0), up, origin, 2.0f, dist));
    EXPECT_EQ(Intersects, ClassifySphere(Vec3(5, 0.5f, 5), up, origin, 2.0f, dist));
    EXPECT_FLOAT_EQ(0.5f, dist);

    ExpectVec(Vec3(0, -3, 0), SphereCollisionOffset(up, 3.0f, 0.0f));
    ExpectVec(Vec3(0, 1, 0), SphereCollisionOffset(up, 3.0f, 2.0f));
    ExpectVec(Vec3(0, -1, 0), SphereCollisionOffset(up, 3.0f, -2.0f));

    EXPECT_TRUE(SphereHitsPolygon(kTriangle, Vec3(1, 1, 0.5f), 3, 1.0f));
    // Off the face but within reach of the hypotenuse.
    EXPECT_TRUE(SphereHitsPolygon(kTriangle, Vec3(2.5f, 2.5f, 0.1f), 3, 1.0f));
    EXPECT_FALSE(SphereHitsPolygon(kTriangle, Vec3(4, 4, 0.1f), 3, 1.0f));
    EXPECT_FALSE(SphereHitsPolygon(kTriangle, Vec3(1, 1, 3), 3, 1.0f));
    EXPECT_FALSE(SphereTouchesEdges(Vec3(1, 1, 0), kTriangle, 3, 0.5f));
}

TEST(GeometryTest, RayHitsTriangle) {
    Vec3 a(0, 0, 0), b(4, 0, 0), c(0, 4, 0);
    Vec3 hit(9, 9, 9);
    EXPECT_TRUE(RayHitsTriangle(a, b, c, Vec3(1, 1, 5), Vec3(0, 0, -1), hit));
    ExpectVec(Vec3(1, 1, 0), hit);

    hit = Vec3(9, 9, 9);
    EXPECT_FALSE(RayHitsTriangle(a, b, c, Vec3(1, 1, -5), Vec3(0, 0, 1), hit));
    ExpectVec(Vec3(9, 9, 9), hit);

    EXPECT_FALSE(RayHitsTriangle(a, b, c, Vec3(1, 1, -5), Vec3(0, 0, -1), hit));

    EXPECT_FALSE(RayHitsTriangle(a, b, c, Vec3(3, 3, 5), Vec3(0, 0, -1), hit));
    ExpectVec(Vec3(3, 3, 0), hit);
}
