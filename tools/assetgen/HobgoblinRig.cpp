#include "HobgoblinRig.h"

#include <algorithm>
#include <cmath>

namespace hobgoblin {

namespace {

struct BoneDef {
    Bone parent;
    V3 joint;
};

const BoneDef kBones[BoneCount] = {
    {Root, {0, 0, -2}},
    {Root, {0, 0, 3}},
    {Spine, {0, 0, 10}},
    {Chest, {0.5f, 0, 17}},
    {Neck, {1.5f, 0, 20}},
    {Head, {3.2f, 0, 23.4f}},
    {Chest, {0, 7.6f, 15.5f}},
    {LeftUpperArm, {0, 8.4f, 7}},
    {LeftForearm, {0.3f, 8.7f, -0.5f}},
    {Chest, {0, -7.6f, 15.5f}},
    {RightUpperArm, {0, -8.4f, 7}},
    {RightForearm, {0.3f, -8.7f, -0.5f}},
    {Root, {0, 3.6f, -3.5f}},
    {LeftThigh, {0.6f, 3.9f, -13}},
    {LeftShin, {-0.3f, 4.1f, -21.5f}},
    {Root, {0, -3.6f, -3.5f}},
    {RightThigh, {0.6f, -3.9f, -13}},
    {RightShin, {-0.3f, -4.1f, -21.5f}},
    {Root, {4.8f, 0, -0.8f}},
    {Root, {-4.6f, 0, -0.8f}},
};

struct BoneTransform {
    assetgen::Mat3 rotation;
    V3 joint; // where the rest joint went
};

// The loincloth hangs between the legs: the front flap swings forward with the thigh that is most
// forward, the back one backward with the thigh that is most back.
Pose WithLoincloth(Pose pose) {
    const float left = pose.angles[LeftThigh].y, right = pose.angles[RightThigh].y;
    pose.angles[LoinFront].y += std::min(0.0f, std::min(left, right)) * 0.85f;
    pose.angles[LoinBack].y += std::max(0.0f, std::max(left, right)) * 0.85f;
    return pose;
}

std::array<BoneTransform, BoneCount> Solve(const Pose& pose) {
    std::array<BoneTransform, BoneCount> world;
    for (int b = 0; b < BoneCount; ++b) {
        const assetgen::Mat3 local = assetgen::EulerRotation(pose.angles[size_t(b)]);
        if (b == Root) {
            world[size_t(b)] = {local, kBones[b].joint};
            continue;
        }
        // Parents come before their children in the bone list.
        const BoneTransform& parent = world[kBones[b].parent];
        world[size_t(b)] = {parent.rotation * local,
                            parent.joint +
                                parent.rotation * (kBones[b].joint - kBones[kBones[b].parent].joint)};
    }
    return world;
}

V3 Place(const BoneTransform& t, Bone bone, V3 rest) {
    return t.joint + t.rotation * (rest - kBones[bone].joint);
}

} // namespace

Bone Sided(Bone leftBone, Side side) {
    const int offset = leftBone >= LeftThigh ? RightThigh - LeftThigh : RightUpperArm - LeftUpperArm;
    return side == Left ? leftBone : Bone(leftBone + offset);
}

Pose& Pose::Set(Bone bone, V3 degrees) {
    angles[bone] = degrees;
    return *this;
}

Pose& Pose::Add(Bone bone, V3 degrees) {
    angles[bone] += degrees;
    return *this;
}

Pose& Pose::Set(Bone leftBone, Side side, V3 degrees) {
    return Set(Sided(leftBone, side), side == Left ? degrees : V3{-degrees.x, degrees.y, -degrees.z});
}

Pose& Pose::Add(Bone leftBone, Side side, V3 degrees) {
    return Add(Sided(leftBone, side), side == Left ? degrees : V3{-degrees.x, degrees.y, -degrees.z});
}

Pose Mix(const Pose& a, const Pose& b, float t) {
    Pose mixed;
    for (size_t i = 0; i < BoneCount; ++i) {
        mixed.angles[i] = assetgen::Lerp(a.angles[i], b.angles[i], t);
    }
    mixed.lift = a.lift + (b.lift - a.lift) * t;
    mixed.squash = a.squash + (b.squash - a.squash) * t;
    return mixed;
}

std::vector<V3> PosedVertices(const assetgen::SkinnedMesh& mesh, const Pose& pose) {
    const auto world = Solve(WithLoincloth(pose));
    std::vector<V3> posed;
    posed.reserve(mesh.Vertices().size());
    float lowest = 1e9f;
    for (const assetgen::SkinVertex& v : mesh.Vertices()) {
        const Bone a = Bone(v.binding.a), b = Bone(v.binding.b);
        const V3 p = assetgen::Lerp(Place(world[b], b, v.rest), Place(world[a], a, v.rest), v.binding.weight);
        posed.push_back(p);
        lowest = std::min(lowest, p.z);
    }
    // The body is built a little short for its hunched stance; scaling about the ground brings the
    // top of the head up to z = 32 while the feet stay on it. A squash shortens it above its lowest
    // point and widens it about its middle line.
    const float size = 1.05f;
    const float tall = 1 - pose.squash, wide = size / std::sqrt(tall);
    for (V3& p : posed) {
        p = {p.x * wide, p.y * wide, kGround + (pose.lift + (p.z - lowest) * tall) * size};
    }
    return posed;
}

} // namespace hobgoblin
