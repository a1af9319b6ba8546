// A small RGBA painting surface for the generated pictures: shapes are signed distance functions
// (negative inside), so every edge comes out anti-aliased over about one pixel.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Rgba {
    float r, g, b, a;
};

// Distance from a point to a shape's edge in pixels, negative inside.
using Shape = std::function<float(float x, float y)>;
// The colour of a shape at a point, for gradients; a plain colour is a constant function.
using Paint = std::function<Rgba(float x, float y)>;

class Canvas {
public:
    // A transparent picture.
    Canvas(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    // Blends the paint over the pixels the shape covers, pixel centres at (x + 0.5, y + 0.5).
    void Fill(const Shape& shape, const Paint& paint);
    void Fill(const Shape& shape, Rgba color);
    // The picture as 8-bit RGBA, top row first.
    std::vector<uint8_t> Bytes() const;

private:
    int width;
    int height;
    std::vector<Rgba> pixels;
};

// A rectangle from (left, top) to (right, bottom) with corners rounded by `radius`.
Shape RoundedBox(float left, float top, float right, float bottom, float radius);
// A line from (ax, ay) to (bx, by), `halfWidth` thick on each side, with round ends.
Shape Segment(float ax, float ay, float bx, float by, float halfWidth);
// A closed polygon through the points {x0, y0, x1, y1, ...}.
Shape Polygon(std::vector<float> points);
// Every point within `by` pixels of the shape (a negative value shrinks it).
Shape Grow(Shape shape, float by);
Shape Union(Shape a, Shape b);
// The part of `a` outside `b`.
Shape Subtract(Shape a, Shape b);
// The colour a share t of the way from a to b.
Rgba Mix(Rgba a, Rgba b, float t);
// A colour that runs from `from` at y = y0 to `to` at y = y1.
Paint VerticalGradient(Rgba from, Rgba to, float y0, float y1);

} // namespace assetgen
