// The hobgoblin's body in its rest pose: a big-eared head with a hair crest, a long nose, tusks and
// a hinged jaw, a hunched pot-bellied torso with a belt and a loincloth, long arms with clawed hands
// (the right one gripping a spiked club) and bent legs on broad clawed feet.
#include "Hobgoblin.h"

#include <cmath>

namespace hobgoblin {

namespace {

using assetgen::Binding;
using assetgen::Blend;
using assetgen::Normalized;
using assetgen::Rigid;
using assetgen::Ring;
using assetgen::SkinnedMesh;

const V3 kForward{1, 0, 0}, kUp{0, 0, 1};
const V3 kSkullCentre{2.2f, 0, 26.3f};
const V3 kSkullRadii{5.4f, 5.0f, 5.7f}; // the top of the skull is at z = 32

// The point of the skull's surface in `direction` from its centre, pulled in by `inset`.
V3 OnSkull(V3 direction, float inset) {
    const V3 d = Normalized(direction);
    const V3 scaled{d.x / kSkullRadii.x, d.y / kSkullRadii.y, d.z / kSkullRadii.z};
    return kSkullCentre + d * (1.0f / assetgen::Length(scaled) - inset);
}

// A pointed or rounded tube from `base` to `tip`: radius `radius` at the base, narrowing by `taper`
// towards the tip, closed by a cone of `tipLength`.
void AddSpike(SkinnedMesh& mesh, V3 base, V3 tip, float radius, float taper, float tipLength, V3 front,
              int segments, const SkinRect& rect, Binding binding) {
    const V3 axis = tip - base;
    const V3 shoulder = base + axis * (1.0f - tipLength / assetgen::Length(axis));
    const float end = radius * taper;
    mesh.AddTube({{base, radius, radius, binding}, {shoulder, end, end, binding}}, front, segments, rect, -1,
                 tipLength);
}

void AddHead(SkinnedMesh& mesh) {
    mesh.AddEllipsoid(kSkullCentre, {kSkullRadii.x, 0, 0}, {0, kSkullRadii.y, 0}, {0, 0, kSkullRadii.z}, 12,
                      10, kHeadSkin, Rigid(Head));
    // The muzzle, the inside of the mouth and the jaw have their backs buried in the skull and the
    // neck: only their fronts are built.
    mesh.AddEllipsoid({5.7f, 0, 23.9f}, {3.0f, 0, 0}, {0, 3.3f, 0}, {0, 0, 2.0f}, 6, 5, kSnoutSkin,
                      Rigid(Head), 0.6f);
    mesh.AddEllipsoid({4.6f, 0, 22.9f}, {2.7f, 0, 0}, {0, 2.9f, 0}, {0, 0, 1.2f}, 3, 3, kMouthSkin,
                      Rigid(Head), 0.5f);
    mesh.AddEllipsoid({5.3f, 0, 21.9f}, {3.2f, 0, 0}, {0, 3.3f, 0}, {0, 0, 1.7f}, 7, 5, kJawSkin, Rigid(Jaw),
                      0.7f);
    // A long hooked nose.
    const V3 noseRoot = OnSkull({1, 0, -0.12f}, 0.6f);
    mesh.AddTube({{noseRoot, 1.1f, 1.0f, Rigid(Head)},
                  {noseRoot + V3{1.6f, 0, -0.5f}, 0.8f, 0.75f, Rigid(Head)},
                  {noseRoot + V3{2.8f, 0, -1.3f}, 0.45f, 0.45f, Rigid(Head)}},
                 kUp, 8, kNoseSkin, -1, 0.7f);
    for (Side side : {Left, Right}) {
        const float s = side == Left ? 1.0f : -1.0f;
        // Yellow eyes under a heavy, scowling brow.
        const V3 eyeDirection = Normalized({0.8f, 0.42f * s, 0.1f});
        const V3 eye = OnSkull(eyeDirection, 0.45f);
        // Only the front of the eyeball stands out of the skull.
        mesh.AddEllipsoid(eye, eyeDirection * 0.9f, Normalized(Cross(kUp, eyeDirection)) * 0.95f,
                          {0, 0, 0.95f}, 4, 4, kEyeSkin, Rigid(Head), 0.6f);
        const V3 brow = OnSkull({0.74f, 0.42f * s, 0.36f}, 0.25f);
        mesh.AddEllipsoid(brow, Normalized({1, 0.35f * s, 0}) * 0.8f, Normalized({-0.3f, s, 0.45f}) * 1.8f,
                          {0, 0, 0.55f}, 6, 3, kBrowSkin, Rigid(Head));
        // Long pointed ears, swept back and up, broad faces turned forward.
        const V3 earRoot = OnSkull({0.05f, s, 0.2f}, 0.6f);
        const V3 earTip{-1.8f, 14.0f * s, 30.8f};
        const V3 along = earTip - earRoot;
        mesh.AddTube({{earRoot, 0.6f, 2.4f, Rigid(Head)},
                      {earRoot + along * 0.45f, 0.45f, 1.8f, Rigid(Head)},
                      {earRoot + along * 0.78f, 0.3f, 0.95f, Rigid(Head)}},
                     V3{1, 0, 0.3f}, 8, kEarSkin, -1, assetgen::Length(along) * 0.22f);
        // Two tusks jutting up from the lower jaw.
        AddSpike(mesh, {7.0f, 1.7f * s, 22.4f}, {7.4f, 2.0f * s, 24.6f}, 0.45f, 0.8f, 1.2f, kForward, 6,
                 kToothSkin, Rigid(Jaw));
    }
}

// A ragged crest of stiff hair tufts from the brow over the crown to the nape, swept back, each
// tuft narrow across the head and broad along it, its root sunk in the scalp.
void AddCrest(SkinnedMesh& mesh) {
    const float length[7] = {2.2f, 3.2f, 3.9f, 4.1f, 3.7f, 3.0f, 2.2f};
    for (int k = 0; k < 7; ++k) {
        const float polar = 0.72f - 0.46f * float(k); // from straight up, positive forward
        const float swept = polar - 1.05f;
        const V3 root = OnSkull({std::sin(polar), 0, std::cos(polar)}, 0.5f);
        const V3 direction{std::sin(swept), 0, std::cos(swept)};
        const V3 middle = root + direction * (length[k] * 0.45f);
        // Alternate tufts lean a little to each side so the crest looks ragged, not cut.
        const V3 lean{0, k % 2 == 0 ? 0.3f : -0.3f, 0};
        mesh.AddTube({{root, 1.3f, 0.65f, Rigid(Head)}, {middle + lean, 0.9f, 0.45f, Rigid(Head)}}, kForward,
                     4, kHairSkin, -1, length[k] * 0.55f);
    }
}

void AddTorso(SkinnedMesh& mesh) {
    const std::vector<Ring> rings = {
        {{0.3f, 0, -6}, 2.6f, 3.2f, Rigid(Root)},
        {{0.2f, 0, -3.5f}, 4.0f, 5.2f, Rigid(Root)},
        {{0.4f, 0, 0}, 4.3f, 5.2f, Blend(Root, Spine, 0.5f)},
        {{0.9f, 0, 3.5f}, 4.9f, 5.5f, Rigid(Spine)},
        {{0.9f, 0, 7}, 5.0f, 6.0f, Blend(Spine, Chest, 0.5f)},
        {{0.2f, 0, 10.5f}, 4.8f, 6.8f, Rigid(Chest)},
        {{-0.5f, 0, 13.5f}, 4.6f, 7.3f, Rigid(Chest)},
        {{-0.6f, 0, 16}, 3.9f, 6.5f, Rigid(Chest)},
        {{0.2f, 0, 17.8f}, 3.0f, 3.5f, Blend(Neck, Chest, 0.6f)},
        {{1.2f, 0, 20.5f}, 2.7f, 2.9f, Blend(Head, Neck, 0.5f)},
    };
    mesh.AddTube(rings, kForward, 12, kTorsoSkin, 1.0f, 0.5f);
    // The belt follows the waist, standing a little proud of it in the middle.
    const std::vector<Ring> belt = {
        {{0.29f, 0, -2.0f}, 4.13f, 5.2f, Rigid(Root)},
        {{0.32f, 0, -1.6f}, 4.5f, 5.55f, Rigid(Root)},
        {{0.46f, 0, 0.4f}, 4.75f, 5.6f, Blend(Root, Spine, 0.44f)},
        {{0.51f, 0, 0.8f}, 4.44f, 5.27f, Blend(Root, Spine, 0.39f)},
    };
    mesh.AddTube(belt, kForward, 12, kBeltSkin, -1, -1);
}

// A loincloth flap hanging from the belt: the top row stays with the pelvis, the rest swings. Its
// sides curve back round the hips and its hem bows out, so it shows as cloth from the side too.
void AddLoinFlap(SkinnedMesh& mesh, float facing, Bone bone, const SkinRect& rect) {
    const float frontDepth[4] = {4.8f, 5.15f, 5.5f, 5.85f};
    const float backDepth[4] = {-4.25f, -4.65f, -5.0f, -5.3f};
    const float height[4] = {-1.4f, -4.8f, -8.2f, -11.2f};
    const float halfWidth[4] = {3.3f, 3.1f, 2.8f, 2.3f};
    const float wrap[4] = {1.1f, 1.0f, 0.85f, 0.7f};
    std::vector<V3> outline;
    std::vector<Binding> bindings;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            // The bottom edge hangs lower in the middle.
            const float drop = row == 3 && column == 1 ? -0.9f : 0.0f;
            const float depth =
                (facing > 0 ? frontDepth[row] : backDepth[row]) - (column == 1 ? 0.0f : facing * wrap[row]);
            outline.push_back({depth, halfWidth[row] * float(column - 1), height[row] + drop});
            bindings.push_back(row == 0 ? Rigid(Root) : Rigid(bone));
        }
    }
    mesh.AddSlab(outline, 3, 4, {facing, 0, 0}, 0.5f, rect, rect, bindings);
}

void AddArm(SkinnedMesh& mesh, Side side) {
    const float s = side == Left ? 1.0f : -1.0f;
    const Bone upper = Sided(LeftUpperArm, side), fore = Sided(LeftForearm, side),
               hand = Sided(LeftHand, side);
    mesh.AddTube({{{0, 7.0f * s, 16.0f}, 2.6f, 2.7f, Blend(upper, Chest, 0.5f)},
                  {{0, 8.0f * s, 12.5f}, 2.4f, 2.5f, Rigid(upper)},
                  {{0, 8.4f * s, 9.0f}, 2.1f, 2.1f, Rigid(upper)},
                  {{0.1f, 8.4f * s, 7.0f}, 1.8f, 1.9f, Blend(fore, upper, 0.5f)},
                  {{0.3f, 8.6f * s, 4.5f}, 2.2f, 2.0f, Rigid(fore)},
                  {{0.3f, 8.7f * s, 1.5f}, 1.6f, 1.5f, Rigid(fore)},
                  {{0.3f, 8.7f * s, -0.6f}, 1.3f, 1.25f, Blend(hand, fore, 0.5f)}},
                 kForward, 8, kArmSkin, 1.5f, -1);
    const V3 palm{0.4f, 8.75f * s, -2.4f};
    mesh.AddEllipsoid(palm, {1.6f, 0, 0}, {0, 1.05f, 0}, {0, 0, 2.1f}, 6, 4, kHandSkin, Rigid(hand));
    if (side == Left) {
        // An open hand: three clawed fingers and a thumb.
        for (float dx : {1.2f, 0.2f, -0.8f}) {
            const V3 base = palm + V3{dx, 0, -1.5f};
            AddSpike(mesh, base, base + V3{0.6f, 0, -3.0f}, 0.5f, 0.8f, 1.0f, kForward, 4, kFingerSkin,
                     Rigid(hand));
        }
        AddSpike(mesh, palm + V3{1.2f, -0.7f * s, 0.6f}, palm + V3{2.7f, -1.2f * s, -0.8f}, 0.5f, 0.8f, 0.8f,
                 kUp, 4, kFingerSkin, Rigid(hand));
        return;
    }
    // A fist round the club's grip: fingers curl under it from the body's side, the thumb over it.
    for (float dx : {1.2f, 0.2f, -0.8f}) {
        const V3 base = palm + V3{dx, -0.7f * s, -0.9f};
        AddSpike(mesh, base, base + V3{0.2f, 1.8f * s, -0.9f}, 0.5f, 0.8f, 0.6f, kForward, 4, kFingerSkin,
                 Rigid(hand));
    }
    AddSpike(mesh, palm + V3{1.2f, 0.6f * s, 0.4f}, palm + V3{1.7f, -1.0f * s, -0.2f}, 0.5f, 0.8f, 0.6f, kUp,
             4, kFingerSkin, Rigid(hand));
}

// A spiked wooden club held in the right fist, pointing forward from it in the rest pose.
void AddClub(SkinnedMesh& mesh) {
    const V3 grip{0.4f, -8.75f, -3.0f};
    const Binding hand = Rigid(RightHand);
    auto at = [&](float along) { return grip + kForward * along; };
    mesh.AddTube({{at(-2.2f), 0.75f, 0.75f, hand},
                  {at(-1.6f), 0.6f, 0.6f, hand},
                  {at(3.0f), 0.62f, 0.62f, hand},
                  {at(6.5f), 0.95f, 0.95f, hand},
                  {at(9.5f), 1.5f, 1.5f, hand},
                  {at(12.0f), 1.7f, 1.7f, hand}},
                 kUp, 8, kClubSkin, 0.3f, 1.3f);
    for (int k = 0; k < 4; ++k) {
        const float angle = assetgen::Radians(45.0f + 90.0f * float(k));
        const V3 out{0, std::cos(angle), std::sin(angle)};
        const V3 base = at(10.0f + 1.2f * float(k % 2)) + out * 1.3f;
        AddSpike(mesh, base, base + out * 1.6f, 0.35f, 0.6f, 0.9f, kForward, 4, kToothSkin, hand);
    }
}

void AddLeg(SkinnedMesh& mesh, Side side) {
    const float s = side == Left ? 1.0f : -1.0f;
    const Bone thigh = Sided(LeftThigh, side), shin = Sided(LeftShin, side), foot = Sided(LeftFoot, side);
    mesh.AddTube({{{0.3f, 3.6f * s, -2.0f}, 3.3f, 3.3f, Blend(thigh, Root, 0.5f)},
                  {{0.6f, 3.8f * s, -7.5f}, 3.1f, 3.0f, Rigid(thigh)},
                  {{0.9f, 3.9f * s, -11.5f}, 2.5f, 2.4f, Rigid(thigh)},
                  {{0.8f, 3.9f * s, -13.2f}, 2.2f, 2.2f, Blend(shin, thigh, 0.5f)},
                  {{0.0f, 4.0f * s, -16.0f}, 2.5f, 2.3f, Rigid(shin)},
                  {{-0.2f, 4.1f * s, -19.0f}, 1.8f, 1.7f, Rigid(shin)},
                  {{-0.3f, 4.1f * s, -21.3f}, 1.45f, 1.45f, Blend(foot, shin, 0.5f)}},
                 kForward, 8, kLegSkin, -1, -1);
    // A broad flat foot from the heel to the toes; its sole is the ground line.
    mesh.AddTube({{{-2.4f, 4.1f * s, -22.6f}, 1.2f, 1.4f, Rigid(foot)},
                  {{-0.5f, 4.1f * s, -22.4f}, 1.6f, 1.7f, Rigid(foot)},
                  {{2.0f, 4.15f * s, -22.8f}, 1.2f, 1.9f, Rigid(foot)},
                  {{4.6f, 4.2f * s, -23.0f}, 0.95f, 1.9f, Rigid(foot)}},
                 kUp, 8, kFootSkin, 0.6f, 1.2f);
    for (float dy : {-1.1f, 0.0f, 1.1f}) {
        const V3 base{5.2f, 4.2f * s + dy, -23.2f};
        AddSpike(mesh, base, base + V3{1.8f, 0.3f * dy, -0.5f}, 0.42f, 0.7f, 0.9f, kUp, 4, kToothSkin,
                 Rigid(foot));
    }
}

} // namespace

SkinnedMesh BuildBody() {
    SkinnedMesh mesh;
    AddHead(mesh);
    AddCrest(mesh);
    AddTorso(mesh);
    AddLoinFlap(mesh, 1.0f, LoinFront, kLoinFrontSkin);
    AddLoinFlap(mesh, -1.0f, LoinBack, kLoinBackSkin);
    for (Side side : {Left, Right}) {
        AddArm(mesh, side);
        AddLeg(mesh, side);
    }
    AddClub(mesh);
    return mesh;
}

} // namespace hobgoblin
