#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Canvas::Canvas(int width, int height)
    : width(std::max(width, 0)), height(std::max(height, 0)),
      pixels(static_cast<size_t>(this->width) * static_cast<size_t>(this->height), Rgba{0, 0, 0, 0}) {}

void Canvas::Fill(const Shape& shape, const Paint& paint) {
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            float px = static_cast<float>(column) + 0.5f;
            float py = static_cast<float>(row) + 0.5f;
            float coverage = std::clamp(0.5f - shape(px, py), 0.0f, 1.0f);
            if (coverage <= 0.0f) {
                continue;
            }
            Rgba source = paint(px, py);
            float a = source.a * coverage;
            Rgba& target =
                pixels[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column)];
            float outA = a + target.a * (1.0f - a);
            if (outA <= 0.0f) {
                continue;
            }
            float keep = target.a * (1.0f - a);
            target.r = (source.r * a + target.r * keep) / outA;
            target.g = (source.g * a + target.g * keep) / outA;
            target.b = (source.b * a + target.b * keep) / outA;
            target.a = outA;
        }
    }
}

void Canvas::Fill(const Shape& shape, Rgba color) {
    Fill(shape, [color](float, float) { return color; });
}

std::vector<uint8_t> Canvas::Bytes() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels.size() * 4);
    auto channel = [](float value) {
        return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
    };
    for (const Rgba& p : pixels) {
        bytes.push_back(channel(p.r));
        bytes.push_back(channel(p.g));
        bytes.push_back(channel(p.b));
        bytes.push_back(channel(p.a));
    }
    return bytes;
}

Shape RoundedBox(float left, float top, float right, float bottom, float radius) {
    float cx = (left + right) * 0.5f;
    float cy = (top + bottom) * 0.5f;
    float hx = (right - left) * 0.5f;
    float hy = (bottom - top) * 0.5f;
    return [=](float x, float y) {
        float qx = std::fabs(x - cx) - hx + radius;
        float qy = std::fabs(y - cy) - hy + radius;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Shape Segment(float ax, float ay, float bx, float by, float halfWidth) {
    return [=](float x, float y) {
        float ex = bx - ax, ey = by - ay;
        float wx = x - ax, wy = y - ay;
        float length2 = ex * ex + ey * ey;
        float t = length2 > 0.0f ? std::clamp((wx * ex + wy * ey) / length2, 0.0f, 1.0f) : 0.0f;
        return std::hypot(wx - ex * t, wy - ey * t) - halfWidth;
    };
}

Shape Polygon(std::vector<float> points) {
    return [points = std::move(points)](float x, float y) {
        size_t n = points.size() / 2;
        if (n < 3) {
            return 1e9f;
        }
        float best = 1e30f;
        bool inside = false;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            float vix = points[2 * i], viy = points[2 * i + 1];
            float vjx = points[2 * j], vjy = points[2 * j + 1];
            float ex = vjx - vix, ey = vjy - viy;
            float wx = x - vix, wy = y - viy;
            float length2 = ex * ex + ey * ey;
            float t = length2 > 0.0f ? std::clamp((wx * ex + wy * ey) / length2, 0.0f, 1.0f) : 0.0f;
            best = std::min(best, std::hypot(wx - ex * t, wy - ey * t));
            if ((viy > y) != (vjy > y) && x < (vjx - vix) * (y - viy) / (vjy - viy) + vix) {
                inside = !inside;
            }
        }
        return inside ? -best : best;
    };
}

Shape Grow(Shape shape, float by) {
    return [shape = std::move(shape), by](float x, float y) { return shape(x, y) - by; };
}

Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape Subtract(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Rgba Mix(Rgba a, Rgba b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Paint VerticalGradient(Rgba from, Rgba to, float y0, float y1) {
    return [=](float, float y) {
        float t = y1 != y0 ? std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f) : 0.0f;
        return Mix(from, to, t);
    };
}

} // namespace assetgen
