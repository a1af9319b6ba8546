// The hobgoblin's skeleton: its bones with their rest joints, a pose (bone rotations and a lift off
// the ground), and the posed mesh that a pose gives. Model axes: x forward, y to the creature's
// left, z up; the feet rest on z = -24.
#pragma once

#include "MeshMath.h"
#include "SkinnedMesh.h"

#include <array>
#include <vector>

namespace hobgoblin {

using assetgen::V3;

enum Bone {
    Root, // the pelvis; turns and tips the whole body
    Spine,
    Chest,
    Neck,
    Head,
    Jaw,
    LeftUpperArm,
    LeftForearm,
    LeftHand,
    RightUpperArm,
    RightForearm,
    RightHand,
    LeftThigh,
    LeftShin,
    LeftFoot,
    RightThigh,
    RightShin,
    RightFoot,
    LoinFront, // the loincloth's flaps swing with the thighs
    LoinBack,
    BoneCount
};

enum Side { Left, Right };

// The bone of `side` for a bone named on the left (LeftUpperArm ... LeftFoot).
Bone Sided(Bone leftBone, Side side);

const float kGround = -24.0f;

// Rotations per bone relative to its parent, in degrees: x rolls (a hanging left limb swings out to
// the left), y pitches (positive bends forward, so a hanging limb swings back and a knee bends),
// z yaws (positive turns left). Side-aware setters mirror x and z for the right side.
struct Pose {
    std::array<V3, BoneCount> angles{};
    float lift = 0; // height of the lowest point above the ground
    // Cartoon squash: the body is this fraction shorter and as much wider as keeps its volume
    // (negative stretches it).
    float squash = 0;

    Pose& Set(Bone bone, V3 degrees);
    Pose& Add(Bone bone, V3 degrees);
    Pose& Set(Bone leftBone, Side side, V3 degrees);
    Pose& Add(Bone leftBone, Side side, V3 degrees);
};

// Per-component blend of two poses.
Pose Mix(const Pose& a, const Pose& b, float t);

// The mesh's vertices in a pose, standing on the ground (lowest point at kGround + lift).
std::vector<V3> PosedVertices(const assetgen::SkinnedMesh& mesh, const Pose& pose);

} // namespace hobgoblin
