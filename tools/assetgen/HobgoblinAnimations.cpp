// The hobgoblin's twenty animations. Each is a function from a frame number to a pose, built from a
// hunched base stance with eased key poses or cyclic curves. Looping ones (stand, run, crstnd,
// crwalk) end one step before their first frame so the loop is seamless; one-shot ones start and
// end close to the stance the viewer loops them from.
#include "Hobgoblin.h"

#include <algorithm>
#include <cmath>

namespace hobgoblin {

namespace {

const float kTau = 6.28318530718f;

float Ease(float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float Cycle(int frame, int frames, float offset = 0) {
    return std::sin(kTau * (float(frame) / float(frames) + offset));
}

// Finds the two keys around `frame` (frames in increasing order): the later one's index and the
// eased fraction of the way from the earlier one. Before the first key or after the last, it holds.
template <typename Keys> std::pair<size_t, float> Between(const Keys& keys, float frame) {
    for (size_t i = 1; i < keys.size(); ++i) {
        if (frame <= keys[i].first) {
            return {i, Ease((frame - keys[i - 1].first) / (keys[i].first - keys[i - 1].first))};
        }
    }
    return {keys.size() - 1, 1.0f};
}

// A value eased between (frame, value) keys.
float Curve(const std::vector<std::pair<float, float>>& keys, float frame) {
    const auto [i, t] = Between(keys, frame);
    return keys[i - 1].second + (keys[i].second - keys[i - 1].second) * t;
}

// A pose eased between (frame, pose) keys.
Pose Keyed(const std::vector<std::pair<float, Pose>>& keys, float frame) {
    const auto [i, t] = Between(keys, frame);
    return Mix(keys[i - 1].second, keys[i].second, t);
}

// Turns the feet so the soles lie flat whatever the hips and knees do.
Pose& PlantFeet(Pose& p) {
    for (Side side : {Left, Right}) {
        const float pitch =
            p.angles[Root].y + p.angles[Sided(LeftThigh, side)].y + p.angles[Sided(LeftShin, side)].y;
        p.angles[Sided(LeftFoot, side)].y = -pitch;
    }
    return p;
}

// Tilts the head so the face looks `tilt` degrees below the horizon whatever the back does.
Pose& LevelHead(Pose& p, float tilt) {
    p.angles[Head].y = tilt - (p.angles[Root].y + p.angles[Spine].y + p.angles[Chest].y + p.angles[Neck].y);
    return p;
}

// Standing hunched: knees bent, shoulders rounded, arms hanging a little forward, the club pointing
// down in front.
Pose Stance() {
    Pose p;
    p.Set(Root, {0, 8, 0}).Set(Spine, {0, 6, 0}).Set(Chest, {0, 9, 0}).Set(Neck, {0, -8, 0});
    for (Side side : {Left, Right}) {
        p.Set(LeftUpperArm, side, {12, -6, 0}).Set(LeftForearm, side, {0, -28, 0});
        p.Set(LeftThigh, side, {5, -24, 0}).Set(LeftShin, side, {0, 32, 0});
    }
    p.Set(LeftHand, Left, {-10, 0, 0}).Set(LeftHand, Right, {0, 55, 15});
    LevelHead(p, 0);
    return PlantFeet(p);
}

// Squatting low on wide knees, knuckles near the ground.
Pose Crouch() {
    Pose p = Stance();
    p.Set(Root, {0, 28, 0}).Add(Spine, {0, 4, 0});
    for (Side side : {Left, Right}) {
        p.Set(LeftThigh, side, {14, -80, 0}).Set(LeftShin, side, {0, 108, 0});
        p.Set(LeftUpperArm, side, {14, -30, 0}).Set(LeftForearm, side, {0, -20, 0});
    }
    p.Set(LeftHand, Right, {0, 20, 0});
    LevelHead(p, -5);
    return PlantFeet(p);
}

Pose Stand(int f, int n) {
    Pose p = Stance();
    // Two slow breaths per loop: the chest swells and the shoulders rise.
    const float breath = Cycle(f, n / 2);
    p.Add(Chest, {0, -2.0f * breath, 0}).Add(Spine, {0, -1.0f * breath, 0}).Add(Jaw, {0, 3 + 3 * breath, 0});
    for (Side side : {Left, Right}) {
        p.Add(LeftUpperArm, side, {1.5f * breath, 2.0f * breath, 0});
    }
    // Looks to its left, back, to its right and back again, the chest following a little.
    const float look =
        Curve({{0, 0}, {5, 0}, {11, 50}, {17, 50}, {22, 0}, {26, -45}, {32, -45}, {37, 0}}, float(f));
    p.Add(Head, {-look * 0.12f, -std::fabs(look) * 0.1f, look}).Add(Chest, {0, 0, look * 0.25f});
    // The club swings gently.
    p.Add(LeftHand, Right, {0, 6 * Cycle(f, n / 2, 0.25f), 0});
    return PlantFeet(p);
}

Pose Run(int f, int n) {
    Pose p = Stance();
    const float s = Cycle(f, n), c = Cycle(f, n, 0.25f);
    p.Set(Root, {0, 22, 0}).Add(Chest, {0, 4, 6 * s});
    for (Side side : {Left, Right}) {
        const float sign = side == Left ? 1.0f : -1.0f;
        // Each leg swings back while the other reaches forward; the knee folds on the way forward.
        const float swing = sign * s, returning = std::max(0.0f, -sign * c);
        p.Set(LeftThigh, side, {4, -24 + 44 * swing, 0}).Set(LeftShin, side, {0, 22 + 75 * returning, 0});
        p.Set(LeftUpperArm, side, {14, -15 - 45 * swing, 0}).Set(LeftForearm, side, {0, -75, 0});
    }
    p.Set(LeftHand, Right, {0, 90, 0});
    LevelHead(p, -5);
    p.Add(Head, {0, 0, -6 * s});
    PlantFeet(p);
    for (Side side : {Left, Right}) {
        // The pushing foot stays flat, the recovering one trails with its toes down.
        const float sign = side == Left ? 1.0f : -1.0f;
        p.Add(LeftFoot, side, {0, 35 * std::max(0.0f, -sign * c), 0});
    }
    p.lift = 1.2f * std::fabs(s);
    return p;
}

Pose Attack(int f, int) {
    // A diagonal overhead blow: the club raised high on its right, brought down across the body.
    const Pose stance = Stance();
    Pose windUp = stance;
    windUp.Add(Chest, {0, -8, -25}).Add(Spine, {0, -8, -10}).Set(Jaw, {0, 12, 0});
    windUp.Set(LeftUpperArm, Right, {50, -120, 0})
        .Set(LeftForearm, Right, {0, -35, 0})
        .Set(LeftHand, Right, {0, -15, 0});
    windUp.Set(LeftUpperArm, Left, {25, -50, 0});
    LevelHead(windUp, -5).Add(Head, {0, 0, 20});
    Pose strike = stance;
    strike.Add(Spine, {0, 16, 10}).Add(Chest, {0, 12, 18}).Set(Jaw, {0, 28, 0});
    strike.Set(LeftUpperArm, Right, {-5, -85, -25})
        .Set(LeftForearm, Right, {0, -10, 0})
        .Set(LeftHand, Right, {0, 40, 0});
    strike.Set(LeftUpperArm, Left, {25, 25, 0})
        .Set(LeftThigh, Left, {5, -45, 0})
        .Set(LeftShin, Left, {0, 45, 0});
    LevelHead(strike, 10);
    Pose follow = strike;
    follow.Add(Spine, {0, 6, 8}).Set(LeftUpperArm, Right, {-20, -45, -30}).Set(LeftHand, Right, {0, 70, 0});
    LevelHead(follow, 20);
    Pose p = Keyed({{0, Mix(stance, windUp, 0.3f)},
                    {2, windUp},
                    {3, strike},
                    {4, follow},
                    {5, follow},
                    {7, Mix(stance, follow, 0.3f)}},
                   float(f));
    return PlantFeet(p);
}

// One-shot flinches: snap from `base` into `hurt` and ease part of the way back, so the loop
// replays the blow.
Pose Flinch(int f, const Pose& base, const Pose& hurt) {
    const float amount[4] = {0.4f, 1.0f, 0.8f, 0.55f};
    Pose p = Mix(base, hurt, amount[std::clamp(f, 0, 3)]);
    return PlantFeet(p);
}

Pose Pain1(int f, int) {
    // Struck in the chest: thrown back with the arms flung up.
    Pose hurt = Stance();
    hurt.Add(Root, {0, -14, 0}).Add(Spine, {0, -10, 0}).Add(Chest, {0, -10, 0}).Set(Jaw, {0, 28, 0});
    for (Side side : {Left, Right}) {
        hurt.Set(LeftUpperArm, side, {40, -40, 0}).Set(LeftForearm, side, {0, -50, 0});
    }
    LevelHead(hurt, -30);
    return Flinch(f, Stance(), hurt);
}

Pose Pain2(int f, int) {
    // Winded: doubled over, both hands to the belly.
    Pose hurt = Stance();
    hurt.Add(Spine, {0, 22, 0}).Add(Chest, {0, 18, 0}).Set(Jaw, {0, 18, 0});
    for (Side side : {Left, Right}) {
        hurt.Set(LeftUpperArm, side, {-12, -35, 0}).Set(LeftForearm, side, {0, -85, 0});
        hurt.Add(LeftThigh, side, {0, -12, 0}).Add(LeftShin, side, {0, 20, 0});
    }
    LevelHead(hurt, 10);
    return Flinch(f, Stance(), hurt);
}

Pose Pain3(int f, int) {
    // Cuffed on the head: it snaps aside and a hand goes up to the face.
    Pose hurt = Stance();
    hurt.Add(Spine, {-8, 0, -10}).Add(Chest, {-6, 0, -15}).Set(Jaw, {0, 15, 0});
    hurt.Set(LeftUpperArm, Left, {-5, -70, 0}).Set(LeftForearm, Left, {0, -115, 0});
    LevelHead(hurt, 0).Add(Head, {-20, 0, -40});
    return Flinch(f, Stance(), hurt);
}

// Gathering for a leap: deep knees, arms swung back, the body squashed down like a spring.
Pose LeapCrouch() {
    Pose p = Stance();
    p.Add(Root, {0, 15, 0}).Add(Spine, {0, 10, 0});
    for (Side side : {Left, Right}) {
        p.Set(LeftThigh, side, {5, -60, 0})
            .Set(LeftShin, side, {0, 80, 0})
            .Set(LeftUpperArm, side, {15, 10, 0});
    }
    p.squash = 0.06f;
    return PlantFeet(LevelHead(p, 10));
}

// Springing off: legs straight, toes pointed, arms thrown forward and up, stretched tall.
Pose Launch() {
    Pose p = Stance();
    p.Set(Root, {0, 0, 0}).Set(Jaw, {0, 20, 0});
    for (Side side : {Left, Right}) {
        p.Set(LeftThigh, side, {5, 5, 0}).Set(LeftShin, side, {0, 5, 0}).Set(LeftFoot, side, {0, 40, 0});
        p.Set(LeftUpperArm, side, {25, -80, 0}).Set(LeftForearm, side, {0, -25, 0});
    }
    LevelHead(p, -15).lift = 5;
    p.squash = -0.04f;
    return p;
}

// Landing: the knees take the weight and the body squashes flatter than in the crouch before.
Pose Landing() {
    Pose p = LeapCrouch();
    for (Side side : {Left, Right}) {
        p.Set(LeftUpperArm, side, {25, -40, 0});
    }
    p.squash = 0.16f;
    return p;
}

Pose Jump(int f, int) {
    Pose tuck = Stance();
    for (Side side : {Left, Right}) {
        tuck.Set(LeftThigh, side, {8, -70, 0})
            .Set(LeftShin, side, {0, 95, 0})
            .Set(LeftUpperArm, side, {20, -70, 0});
    }
    PlantFeet(LevelHead(tuck, 0)).lift = 13;
    Pose fall = Mix(Launch(), tuck, 0.5f);
    fall.lift = 6;
    return Keyed({{0, Mix(Stance(), LeapCrouch(), 0.5f)},
                  {1, LeapCrouch()},
                  {2, Launch()},
                  {3, tuck},
                  {4, fall},
                  {5, Landing()}},
                 float(f));
}

Pose Flip(int f, int) {
    // A back somersault: squat, spring up stretched, curl into a tight ball (knees to chest, arms
    // hugging the shins, chin down) and roll over backwards, open out and land in a deep squash.
    const float spin[12] = {0, 0, -15, -60, -110, -160, -210, -260, -305, -345, -360, -360};
    const float lift[12] = {0, 0, 5, 12, 16, 19, 19, 16, 12, 7, 0, 0};
    const float tucked[12] = {0, 0, 0.15f, 0.8f, 1, 1, 1, 1, 0.9f, 0.45f, 0.1f, 0};
    Pose ball = Stance();
    ball.Add(Spine, {0, 28, 0}).Add(Chest, {0, 22, 0}).Set(Jaw, {0, 5, 0});
    for (Side side : {Left, Right}) {
        ball.Set(LeftThigh, side, {8, -140, 0})
            .Set(LeftShin, side, {0, 150, 0})
            .Set(LeftFoot, side, {0, 30, 0});
        ball.Set(LeftUpperArm, side, {18, -55, 0}).Set(LeftForearm, side, {-25, -95, 0});
    }
    LevelHead(ball, 75);
    const Pose before = f == 0    ? Mix(Stance(), LeapCrouch(), 0.5f)
                        : f == 1  ? LeapCrouch()
                        : f == 10 ? Landing()
                        : f == 11 ? Mix(Landing(), Stance(), 0.45f)
                                  : Launch();
    Pose p = Mix(before, ball, tucked[f]);
    p.Add(Root, {0, spin[f], 0});
    p.lift = lift[f];
    // The deepest squat comes just before the spring.
    if (f == 1) {
        p.squash = 0.08f;
    }
    return p;
}

Pose Salute(int f, int) {
    // Brings the club up before its face like a sword, holds, nods, and lowers it again.
    Pose salute = Stance();
    salute.Add(Root, {0, -6, 0}).Add(Chest, {0, -8, 0});
    // The hand's pitch cancels the arm's so the club stands upright.
    salute.Set(LeftUpperArm, Right, {-20, -70, 0})
        .Set(LeftForearm, Right, {0, -80, 0})
        .Set(LeftHand, Right, {0, 50, 0});
    PlantFeet(LevelHead(salute, -5));
    Pose nod = salute;
    nod.Add(Head, {0, 15, 0}).Add(Chest, {0, 5, 0});
    const Pose begin = Mix(Stance(), salute, 0.3f);
    return Keyed({{0, begin}, {4, salute}, {5, nod}, {6, nod}, {7, salute}, {11, begin}}, float(f));
}

Pose Taunt(int f, int) {
    // Roars with the arms spread, beats its chest three times and wiggles its hips, cackling.
    Pose roar = Stance();
    roar.Add(Spine, {0, -6, 0}).Add(Chest, {0, -8, 0}).Set(Jaw, {0, 32, 0});
    for (Side side : {Left, Right}) {
        roar.Set(LeftUpperArm, side, {75, -25, 0}).Set(LeftForearm, side, {0, -80, 0});
    }
    LevelHead(roar, -25);
    Pose lean = roar;
    lean.Add(Spine, {0, 20, 0}).Add(Root, {0, 6, 0});
    PlantFeet(LevelHead(lean, -5));
    Pose beat = Stance();
    beat.Set(LeftUpperArm, Left, {-20, -45, 0}).Set(LeftForearm, Left, {0, -115, 0}).Set(Jaw, {0, 10, 0});
    Pose away = beat;
    away.Set(LeftUpperArm, Left, {25, -55, 0}).Set(LeftForearm, Left, {0, -100, 0}).Add(Chest, {0, -6, 0});
    // Cackling with its fists on its hips, elbows out.
    Pose hips = Stance();
    for (Side side : {Left, Right}) {
        hips.Set(LeftUpperArm, side, {50, 15, 0}).Set(LeftForearm, side, {-20, -95, 0});
    }
    Pose wiggleLeft = hips, wiggleRight = hips;
    wiggleLeft.Add(Root, {0, 0, 18}).Add(Chest, {0, 0, -25}).Set(Jaw, {0, 25, 0});
    wiggleRight.Add(Root, {0, 0, -18}).Add(Chest, {0, 0, 25}).Set(Jaw, {0, 5, 0});
    const Pose begin = Mix(Stance(), roar, 0.3f);
    return Keyed({{0, begin},
                  {2, roar},
                  {4, lean},
                  {6, beat},
                  {7, away},
                  {8, beat},
                  {9, away},
                  {10, beat},
                  {12, wiggleLeft},
                  {13, wiggleRight},
                  {14, wiggleLeft},
                  {15, wiggleRight},
                  {17, begin}},
                 float(f));
}

Pose Wave(int f, int) {
    // Raises its left hand high and waves it from side to side.
    Pose up = Stance();
    up.Set(LeftUpperArm, Left, {45, -140, 0}).Set(LeftForearm, Left, {0, -25, 0}).Add(Chest, {-5, -4, 10});
    LevelHead(up, -10).Add(Head, {10, 0, 10});
    Pose out = up, in = up;
    out.Add(LeftUpperArm, Left, {22, 0, 0}).Set(LeftForearm, Left, {30, -30, 0});
    in.Add(LeftUpperArm, Left, {-15, 0, 0}).Set(LeftForearm, Left, {-30, -30, 0});
    return Keyed({{0, Mix(Stance(), up, 0.3f)},
                  {2, up},
                  {3, out},
                  {4, in},
                  {5, out},
                  {6, in},
                  {7, out},
                  {8, up},
                  {11, Mix(Stance(), up, 0.3f)}},
                 float(f));
}

Pose Point(int f, int) {
    // Turns and points ahead to its left with a straight arm, jabbing twice.
    Pose point = Stance();
    point.Add(Chest, {0, -4, 20}).Set(LeftUpperArm, Left, {10, -88, 15}).Set(LeftForearm, Left, {0, -5, 0});
    point.Set(LeftHand, Left, {0, -10, 0}).Set(Jaw, {0, 12, 0});
    LevelHead(point, -5).Add(Head, {0, 0, 20});
    Pose jab = point;
    jab.Add(LeftUpperArm, Left, {0, -10, 0}).Add(Chest, {0, 6, 5}).Set(Jaw, {0, 25, 0});
    const Pose begin = Mix(Stance(), point, 0.3f);
    return Keyed({{0, begin}, {2, point}, {4, jab}, {5, point}, {7, jab}, {8, point}, {12, begin}}, float(f));
}

Pose CrouchStand(int f, int n) {
    Pose p = Crouch();
    const float breath = Cycle(f, n);
    p.Add(Chest, {0, -2 * breath, 0}).Add(Jaw, {0, 4 + 3 * breath, 0});
    p.Add(Head, {0, 0, 25 * Cycle(f, n, 0.1f)}).Add(Chest, {0, 0, 6 * Cycle(f, n, 0.1f)});
    return p;
}

Pose CrouchWalk(int f, int n) {
    Pose p = Crouch();
    const float s = Cycle(f, n), c = Cycle(f, n, 0.25f);
    for (Side side : {Left, Right}) {
        const float sign = side == Left ? 1.0f : -1.0f;
        p.Add(LeftThigh, side, {0, 22 * sign * s, 0})
            .Add(LeftShin, side, {0, -18 * std::max(0.0f, sign * c), 0});
        p.Add(LeftUpperArm, side, {0, -20 * sign * s, 0});
    }
    p.Add(Root, {0, 0, 5 * s}).Add(Chest, {0, 0, -8 * s});
    PlantFeet(p);
    p.lift = 0.8f * std::fabs(c);
    return p;
}

Pose CrouchAttack(int f, int) {
    // A low sideways sweep of the club from its right across to its left.
    Pose back = Crouch();
    back.Add(Chest, {0, -5, -35}).Set(LeftUpperArm, Right, {70, 20, 0}).Set(LeftForearm, Right, {0, -40, 0});
    back.Set(LeftHand, Right, {0, 0, 0}).Set(Jaw, {0, 15, 0});
    Pose sweep = Crouch();
    sweep.Add(Chest, {0, 5, 30})
        .Set(LeftUpperArm, Right, {30, -85, -30})
        .Set(LeftForearm, Right, {0, -10, 0});
    sweep.Set(LeftHand, Right, {0, 10, 0}).Set(Jaw, {0, 28, 0});
    Pose follow = sweep;
    follow.Add(Chest, {0, 0, 20}).Set(LeftUpperArm, Right, {-10, -80, -55});
    return Keyed({{0, Crouch()}, {2, back}, {3.2f, sweep}, {4.5f, follow}, {6, follow}, {8, Crouch()}},
                 float(f));
}

Pose CrouchPain(int f, int) {
    Pose hurt = Crouch();
    hurt.Add(Root, {0, -15, 0}).Add(Chest, {0, -10, 0}).Set(Jaw, {0, 25, 0});
    hurt.Set(LeftUpperArm, Left, {0, -100, 0}).Set(LeftForearm, Left, {0, -70, 0});
    LevelHead(hurt, -20);
    return Flinch(f, Crouch(), hurt);
}

// A limp body for the end of a fall: arms flung out, the club lying along its arm.
Pose Limp(Pose p) {
    p.Set(LeftHand, Right, {0, 90, 0});
    for (Side side : {Left, Right}) {
        p.Set(LeftUpperArm, side, {60, 0, 0}).Set(LeftForearm, side, {0, -15, 0});
        p.Set(LeftThigh, side, {12, -10, 0}).Set(LeftShin, side, {0, 15, 0}).Set(LeftFoot, side, {0, 30, 0});
    }
    p.Set(Spine, {0, 0, 0}).Set(Chest, {0, 0, 0}).Set(Neck, {0, 0, 0}).Set(Jaw, {0, 20, 0});
    return p;
}

Pose CrouchDeath(int f, int) {
    // Sags and topples over onto its right side.
    Pose sag = Crouch();
    sag.Add(Spine, {0, 15, 0}).Add(Head, {0, 20, 0}).Set(Jaw, {0, 25, 0});
    Pose tip = sag;
    tip.Add(Root, {-45, 0, 0});
    Pose down = Limp(Crouch());
    down.Add(Root, {-90, 0, 0}).Set(Head, {-15, 10, 0});
    return Keyed({{0, Crouch()}, {1, sag}, {2, tip}, {4, down}}, float(f));
}

Pose Death1(int f, int) {
    // Struck in the chest, it reels and falls flat on its back.
    Pose hit = Stance();
    hit.Add(Spine, {0, -15, 0}).Set(Jaw, {0, 30, 0});
    for (Side side : {Left, Right}) {
        hit.Set(LeftUpperArm, side, {35, -60, 0}).Set(LeftForearm, side, {0, -40, 0});
    }
    LevelHead(hit, -35);
    Pose reel = hit;
    reel.Add(Root, {0, -30, 0}).Add(LeftThigh, Left, {0, -20, 0});
    Pose down = Limp(Stance());
    down.Set(Root, {0, -90, 0}).Set(Head, {0, -15, 25});
    Pose settled = down;
    settled.Add(Head, {0, 5, 10});
    return Keyed({{0, hit}, {1, reel}, {3, down}, {4, settled}, {5, settled}}, float(f));
}

Pose Death2(int f, int) {
    // Clutches its belly, drops to its knees and falls on its face.
    Pose clutch = Pain2(1, 4);
    Pose kneel = clutch;
    for (Side side : {Left, Right}) {
        kneel.Set(LeftThigh, side, {6, -5, 0})
            .Set(LeftShin, side, {0, 90, 0})
            .Set(LeftFoot, side, {0, 30, 0});
    }
    kneel.Set(Root, {0, 15, 0});
    Pose topple = kneel;
    topple.Set(Root, {0, 50, 0});
    Pose down = Limp(Stance());
    down.Set(Root, {0, 88, 0}).Set(Head, {0, -10, 20});
    for (Side side : {Left, Right}) {
        down.Set(LeftUpperArm, side, {70, -80, 0});
    }
    return Keyed({{0, clutch}, {1.5f, kneel}, {3, topple}, {4, down}, {5, down}}, float(f));
}

Pose Death3(int f, int) {
    // Spun round by a blow, it staggers and collapses on its side.
    Pose hit = Stance();
    hit.Add(Chest, {-10, 0, 30}).Set(Jaw, {0, 30, 0}).Add(Head, {-20, 0, 30});
    hit.Set(LeftUpperArm, Left, {70, -30, 0});
    Pose turn = hit;
    turn.Add(Root, {0, 0, 90});
    Pose stagger = turn;
    stagger.Add(Root, {-25, 10, 60});
    for (Side side : {Left, Right}) {
        stagger.Add(LeftShin, side, {0, 30, 0}).Add(LeftThigh, side, {0, -20, 0});
    }
    Pose down = Limp(Stance());
    down.Set(Root, {-90, 0, 170}).Set(Head, {-20, 10, 0});
    return Keyed({{0, hit}, {2, turn}, {4, stagger}, {6, down}, {7, down}}, float(f));
}

} // namespace

const std::vector<Animation>& Animations() {
    static const std::vector<Animation> all = {
        {"stand", 40, Stand},
        {"run", 6, Run},
        {"attack", 8, Attack},
        {"pain1", 4, Pain1},
        {"pain2", 4, Pain2},
        {"pain3", 4, Pain3},
        {"jump", 6, Jump},
        {"flip", 12, Flip},
        {"salute", 11, Salute},
        {"taunt", 17, Taunt},
        {"wave", 11, Wave},
        {"point", 12, Point},
        {"crstnd", 19, CrouchStand},
        {"crwalk", 6, CrouchWalk},
        {"crattak", 9, CrouchAttack},
        {"crpain", 4, CrouchPain},
        {"crdeath", 5, CrouchDeath},
        {"death1", 6, Death1},
        {"death2", 6, Death2},
        {"death3", 8, Death3},
    };
    return all;
}

} // namespace hobgoblin
