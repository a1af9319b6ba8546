// The viewer's software mouse pointer, Data/MousePointer.png: a 32x32 white arrow with a dark outline
// on a transparent background. The arrow's tip is the top-left pixel, which is where the graphics
// core places the pointer's position.
#include "Generator.h"
#include "ImageWriters.h"

#include <algorithm>
#include <cmath>

namespace {

struct Point {
    double x, y;
};

// The arrow's outline in pixel-corner coordinates, tip first, going down the left edge.
const Point kArrow[] = {{0, 0}, {0, 25}, {6, 19.5}, {10.5, 29}, {14.5, 27.2}, {10.4, 18}, {18, 18}};
const int kArrowCorners = int(sizeof(kArrow) / sizeof(kArrow[0]));

double DistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Distance to the arrow's edge, negative inside.
double SignedDistance(Point p) {
    bool inside = false;
    double nearest = 1e9;
    for (int i = 0, j = kArrowCorners - 1; i < kArrowCorners; j = i++) {
        const Point a = kArrow[j], b = kArrow[i];
        nearest = std::min(nearest, DistanceToSegment(p, a, b));
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside ? -nearest : nearest;
}

bool MakeMousePointer(const std::string& dataDir) {
    const int size = 32;
    const int samples = 4; // per axis, for smooth edges
    const double outlineOutside = 0.6, outlineInside = 1.4;
    assetgen::Bitmap image(size, size, 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int covered = 0;
            double grey = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Point p{x + (sx + 0.5) / samples, y + (sy + 0.5) / samples};
                    const double d = SignedDistance(p);
                    if (d > outlineOutside) {
                        continue;
                    }
                    ++covered;
                    grey += d < -outlineInside ? 255.0 : 16.0;
                }
            }
            uint8_t* px = image.At(x, y);
            if (covered > 0) {
                const uint8_t value = uint8_t(std::lround(grey / covered));
                px[0] = px[1] = px[2] = value;
                px[3] = uint8_t(std::lround(255.0 * covered / (samples * samples)));
            }
        }
    }
    return assetgen::WritePng(dataDir + "/MousePointer.png", image);
}

assetgen::Registrar reg("pointer", MakeMousePointer);

} // namespace
