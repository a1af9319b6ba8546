#include "viewer/Framing.h"

#include "demo/ViewerScene.h"

#include <algorithm>
#include <cmath>

namespace {

const float kPi = 3.14159265f;

// A point of the model turned `degrees` about the vertical axis, as the model's Render turns it.
Vec3 Turned(const Vec3& p, float degrees) {
    float angle = degrees * kPi / 180.0f;
    return Vec3(p.x * std::cos(angle) + p.z * std::sin(angle), p.y,
                -p.x * std::sin(angle) + p.z * std::cos(angle));
}

// The middle of the box's bottom face, in the model's units.
Vec3 Foot(const Box& box) {
    return Vec3((box.low.x + box.high.x) * 0.5f, box.low.y, (box.low.z + box.high.z) * 0.5f);
}

bool Fits(const Box& box, float scale, float rotation, const ViewVolume& view) {
    const Vec3 position = CFraming::Position(box, scale, rotation);
    for (int c = 0; c < 8; ++c) {
        Vec3 corner(c & 1 ? box.high.x : box.low.x, c & 2 ? box.high.y : box.low.y,
                    c & 4 ? box.high.z : box.low.z);
        if (!CFraming::InView(position + Turned(corner * scale, rotation), view)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CFraming::AnimationBox(const ModelData& data, int animation, Box& box) {
    int first = 0, last = data.frameCount - 1;
    if (animation >= 0 && animation < data.animationCount) {
        first = std::max(data.animations[static_cast<size_t>(animation)].firstFrame, 0);
        // As the model plays it: the file's last animation ends on its end frame, any other before it.
        last = std::min(LastKeyFrame(data.animations, animation), last);
    }
    bool any = false;
    for (int f = first; f <= last && f < static_cast<int>(data.frames.size()); ++f) {
        const FrameMesh& frame = data.frames[static_cast<size_t>(f)];
        for (int v = 0; v < frame.vertexCount; ++v) {
            const Vec3& p = frame.positions[v];
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
                continue;
            }
            box.low =
                any ? Vec3(std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z)) : p;
            box.high =
                any ? Vec3(std::max(box.high.x, p.x), std::max(box.high.y, p.y), std::max(box.high.z, p.z))
                    : p;
            any = true;
        }
    }
    return any;
}

float CFraming::FitScale(const Box& box, float rotation, const ViewVolume& view) {
    const Vec3 size = box.high - box.low;
    const float longest = std::max({size.x, size.y, size.z});
    if (!(longest > 0.0f)) {
        return 1.0f;
    }
    // A flat model (a floor tile) has no height to match: it starts far too large and is shrunk.
    float scale = size.y > longest * 1e-3f ? CViewerScene::kStandHeight / size.y
                                           : CViewerScene::kStandHeight * 1000.0f / longest;
    if (Fits(box, scale, rotation, view)) {
        return scale;
    }
    // Each corner moves away from the feet as the scale grows, so the scales that fit run from 0 up
    // to one largest: found by halving the interval.
    float low = 0.0f, high = scale;
    for (int i = 0; i < 60; ++i) {
        float middle = (low + high) * 0.5f;
        (Fits(box, middle, rotation, view) ? low : high) = middle;
    }
    return low > 0.0f ? low : high * 1e-6f;
}

Vec3 CFraming::Position(const Box& box, float scale, float rotation) {
    const Vec3 stand(CViewerScene::kStandX, CViewerScene::kFeetY, CViewerScene::kStandZ);
    return stand - Turned(Foot(box) * scale, rotation);
}

Vec3 CFraming::Centre(const Box& box, float scale) {
    return Vec3(CViewerScene::kStandX, CViewerScene::kFeetY + (box.high.y - box.low.y) * scale * 0.5f,
                CViewerScene::kStandZ);
}

bool CFraming::InView(const Vec3& point, const ViewVolume& view) {
    const Vec3 forward = Normalize(view.target - view.eye);
    const Vec3 side = Normalize(Cross(forward, view.up));
    const Vec3 up = Cross(side, forward);
    const Vec3 offset = point - view.eye;
    const float depth = Dot(offset, forward);
    if (!(depth > view.zNear) || !(depth < view.zFar)) {
        return false;
    }
    const float halfHeight = std::tan(view.fieldOfView * kPi / 360.0f) * (1.0f - kMargin);
    const float halfWidth = std::tan(view.fieldOfView * kPi / 360.0f) * view.aspect * (1.0f - kMargin);
    return std::fabs(Dot(offset, side)) <= halfWidth * depth &&
           std::fabs(Dot(offset, up)) <= halfHeight * depth;
}
