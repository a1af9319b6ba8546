// The hobgoblin's skin: mottled olive-green hide, a dark auburn hair crest, yellow slit eyes in dark
// sockets, a fanged mouth, leather belt, bracers and bandolier, a rust-red loincloth, dark breeches
// and shin wraps, horn claws and a leather-bound club. Each part is painted in its own rectangle
// in the coordinates its primitive maps there (around, along).
#include "Hobgoblin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace hobgoblin {

namespace {

const float kPi = 3.14159265358979f;

struct Rgb {
    float r, g, b;
};

Rgb operator*(Rgb c, float s) {
    return {c.r * s, c.g * s, c.b * s};
}
Rgb Mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

const Rgb kHide{0.36f, 0.50f, 0.21f};
const Rgb kHideDark{0.20f, 0.31f, 0.12f};
const Rgb kBelly{0.55f, 0.62f, 0.30f};
const Rgb kHair{0.10f, 0.08f, 0.05f};
const Rgb kCrest{0.30f, 0.12f, 0.05f}; // dark auburn, so the crest shows against a dark backdrop
const Rgb kLeather{0.27f, 0.16f, 0.08f};
const Rgb kCloth{0.42f, 0.15f, 0.09f};
const Rgb kBreeches{0.20f, 0.15f, 0.11f};
const Rgb kWraps{0.45f, 0.39f, 0.29f};
const Rgb kBronze{0.74f, 0.56f, 0.22f};
const Rgb kIvory{0.88f, 0.83f, 0.64f};
const Rgb kHorn{0.20f, 0.16f, 0.09f};
const Rgb kWood{0.46f, 0.30f, 0.15f};

// Deterministic lattice noise in 0..1.
float Hash(int x, int y, int seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xffffu) / 65535.0f;
}

float Noise(float x, float y, int seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float top = Hash(ix, iy, seed) + (Hash(ix + 1, iy, seed) - Hash(ix, iy, seed)) * tx;
    const float bottom = Hash(ix, iy + 1, seed) + (Hash(ix + 1, iy + 1, seed) - Hash(ix, iy + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}

// Three octaves of noise, 0..1, features about 1 / `scale` wide.
float Mottle(float u, float v, float scale, int seed) {
    return (Noise(u * scale, v * scale, seed) * 4 + Noise(u * scale * 2.3f, v * scale * 2.3f, seed + 1) * 2 +
            Noise(u * scale * 5.1f, v * scale * 5.1f, seed + 2)) /
           7.0f;
}

// 1 inside a band of half-width `half` around 0, fading over `soft`.
float Band(float distance, float half, float soft) {
    return std::clamp((half + soft - std::fabs(distance)) / soft, 0.0f, 1.0f);
}

// Mottled hide with darker blotches; `u, v` give the pattern, `scale` its grain.
Rgb Hide(float u, float v, float scale, int seed) {
    const float m = Mottle(u, v, scale, seed);
    Rgb c = Mix(kHideDark, kHide, 0.35f + 0.9f * m) * (0.92f + 0.16f * Noise(u * 40, v * 40, seed + 7));
    // Warts: a few dark pocks.
    const float wart = Noise(u * scale * 3, v * scale * 3, seed + 11);
    return Mix(c, kHideDark * 0.8f, std::clamp((wart - 0.82f) * 8, 0.0f, 1.0f));
}

// A direction on the unit sphere from an ellipsoid's map: u around (0.5 = front), v down from the top.
V3 SphereDirection(float u, float v) {
    const float around = 2 * kPi * u - kPi, polar = kPi * v;
    return {std::cos(around) * std::sin(polar), std::sin(around) * std::sin(polar), std::cos(polar)};
}

float AngleBetween(V3 a, V3 b) {
    return std::acos(std::clamp(assetgen::Dot(a, b), -1.0f, 1.0f));
}

Rgb PaintHead(float u, float v) {
    const V3 d = SphereDirection(u, v);
    Rgb c = Hide(u * 2, v, 7, 1);
    // Darker scalp and a lighter, yellower face.
    c = Mix(c, c * 0.75f, std::clamp((d.z - 0.3f) * 2, 0.0f, 1.0f));
    c = Mix(c, Mix(c, kBelly, 0.35f),
            std::clamp((d.x - 0.55f) * 3, 0.0f, 1.0f) * std::clamp(1 - d.z * 2, 0.0f, 1.0f));
    // A bristly crest of hair from the brow over the crown to the nape.
    const float crest = Band(d.y, 0.13f, 0.05f) * std::clamp((d.z - 0.35f) * 6, 0.0f, 1.0f) *
                        std::clamp((0.62f - d.x) * 8, 0.0f, 1.0f);
    const float strands = 0.7f + 0.6f * Noise(u * 180, v * 12, 3);
    c = Mix(c, kCrest * 0.7f * strands, crest);
    for (float s : {1.0f, -1.0f}) {
        // Sunken sockets round the eyes, wrinkles fanning out from them.
        const V3 eye = assetgen::Normalized({0.148f, 0.084f * s, 0.018f});
        const float a = AngleBetween(d, eye);
        c = Mix(c, kHideDark * 0.55f, std::clamp((0.42f - a) / 0.14f, 0.0f, 1.0f));
        const float wrinkle = std::sin(std::atan2(d.z - eye.z, (d.y - eye.y) * s) * 9);
        c = Mix(c, c * 0.72f, (a > 0.42f && a < 0.65f ? 1.0f : 0.0f) * std::max(0.0f, wrinkle - 0.6f) * 2);
    }
    // An old pale scar across the left side of the skull.
    const float scar =
        Band(d.z - (0.55f - 0.9f * (d.x - 0.1f)), 0.02f, 0.02f) * Band(d.y - 0.75f, 0.2f, 0.05f);
    return Mix(c, {0.66f, 0.60f, 0.42f}, scar * 0.9f);
}

Rgb PaintSnout(float u, float v) {
    const V3 d = SphereDirection(u, v);
    Rgb c = Mix(Hide(u * 2, v, 5, 4), kBelly, 0.15f);
    // The lip line with a row of short upper fangs hanging from it.
    const float front = std::clamp((d.x + 0.1f) * 3, 0.0f, 1.0f);
    const float lip = std::clamp((-d.z - 0.15f) * 6, 0.0f, 1.0f) * front;
    c = Mix(c, {0.30f, 0.10f, 0.08f}, lip);
    const float teeth = std::fabs(std::fmod(u * 26, 1.0f) - 0.5f) * 2; // 0 at a fang's middle
    const float fang = (-d.z > 0.35f && -d.z < 0.35f + 0.45f * (1 - teeth)) ? 1.0f : 0.0f;
    return Mix(c, kIvory, fang * front);
}

Rgb PaintJaw(float u, float v) {
    const V3 d = SphereDirection(u, v);
    Rgb c = Hide(u * 2, v, 5, 5) * 0.9f;
    const float front = std::clamp((d.x + 0.1f) * 3, 0.0f, 1.0f);
    const float lip = std::clamp((d.z - 0.2f) * 6, 0.0f, 1.0f) * front;
    c = Mix(c, {0.30f, 0.10f, 0.08f}, lip);
    const float teeth = std::fabs(std::fmod(u * 22 + 0.5f, 1.0f) - 0.5f) * 2;
    const float tooth = (d.z > 0.4f && d.z < 0.4f + 0.4f * (1 - teeth)) ? 1.0f : 0.0f;
    // A stubbly chin.
    const float stubble = Noise(u * 120, v * 60, 6) > 0.7f && d.z < -0.2f ? 1.0f : 0.0f;
    return Mix(Mix(c, kIvory, tooth * front), kHair, stubble * 0.5f);
}

Rgb PaintMouth(float u, float v) {
    const V3 d = SphereDirection(u, v);
    const Rgb throat{0.22f, 0.04f, 0.04f}, tongue{0.62f, 0.24f, 0.24f};
    return Mix(throat, tongue, std::clamp(-d.z * 2, 0.0f, 1.0f) * std::clamp(d.x + 0.5f, 0.0f, 1.0f));
}

Rgb PaintEar(float u, float v) {
    // The broad front face is the pinkish inner ear with a dark vein, the back is hide.
    const float inner = Band(u - 0.5f, 0.16f, 0.06f) * std::clamp((0.9f - v) * 5, 0.0f, 1.0f);
    Rgb c = Hide(u, v * 2, 6, 7);
    c = Mix(c, {0.62f, 0.46f, 0.32f}, inner * 0.85f);
    c = Mix(c, {0.42f, 0.20f, 0.15f}, inner * Band(u - 0.5f, 0.012f, 0.02f) * (1 - v));
    // Darker towards the tip.
    c = Mix(c, c * 0.6f, std::clamp((v - 0.7f) * 3, 0.0f, 1.0f));
    return c;
}

Rgb PaintEye(float u, float v) {
    const V3 d = SphereDirection(u, v);
    const Rgb yellow{1.0f, 0.84f, 0.12f}, rim{0.75f, 0.30f, 0.05f};
    Rgb c = Mix(yellow, rim, std::clamp((0.85f - d.x) * 2.5f, 0.0f, 1.0f));
    // A vertical slit pupil, and a glint.
    const float slit =
        Band(d.y, 0.17f * std::sqrt(std::max(0.0f, 1 - d.z * d.z * 1.4f)), 0.05f) * (d.x > 0 ? 1.0f : 0.0f);
    c = Mix(c, {0.02f, 0.02f, 0.0f}, slit);
    return Mix(c, {1, 1, 0.9f}, Band(d.y - 0.25f, 0.06f, 0.05f) * Band(d.z - 0.35f, 0.06f, 0.05f));
}

Rgb PaintBrow(float u, float v) {
    return Mix(Hide(u, v, 6, 8) * 0.6f, kHair, 0.25f * Noise(u * 60, v * 8, 9));
}

Rgb PaintNose(float u, float v) {
    // u = 0.5 runs along the bridge; the nostrils sit under the tip.
    Rgb c = Hide(u, v * 2, 5, 10);
    c = Mix(c, c * 0.8f, v);
    const float nostril = Band(std::fabs(u - 0.5f) - 0.34f, 0.07f, 0.04f) * Band(v - 0.78f, 0.08f, 0.05f);
    return Mix(c, {0.06f, 0.03f, 0.02f}, nostril);
}

Rgb PaintHair(float u, float v) {
    // Coarse strands running root (0) to tip (1), lighter towards the tips.
    const float strands = 0.55f + 0.45f * Noise(u * 40, v * 3, 29) + 0.25f * std::sin(u * 70);
    const Rgb c = Mix(kCrest * 0.6f, kCrest * 1.5f, 0.2f + 0.8f * v * Noise(u * 25, v * 2, 30));
    return c * strands;
}

Rgb PaintTooth(float, float v) {
    return Mix(kIvory * 0.85f, kIvory * 1.08f, v);
}

Rgb PaintTorso(float u, float v) {
    // v runs from the crotch (0) up to the top of the neck (1); u = 0.5 is the middle of the chest.
    const float around = 2 * kPi * u - kPi;
    Rgb c = Hide(u * 2, v * 2, 5, 12);
    // A paler pot belly and a shadow line under the chest.
    c = Mix(c, Mix(c, kBelly, 0.65f), Band(around, 0.8f, 0.6f) * Band(v - 0.42f, 0.2f, 0.15f));
    // Soft shade under each side of the chest, dark at the fold and fading down the belly.
    const float below = 0.6f + 0.035f * std::cos(around * 4) - v;
    const float fold =
        below >= 0 ? std::clamp(1 - below / 0.07f, 0.0f, 1.0f) : std::clamp(1 + below / 0.012f, 0.0f, 1.0f);
    c = Mix(c, c * 0.72f, fold * Band(around, 1.0f, 0.25f) * (1 - Band(around, 0.0f, 0.12f) * 0.6f));
    c = Mix(c, kHideDark * 0.5f, Band(around, 0.035f, 0.02f) * Band(v - 0.35f, 0.015f, 0.01f)); // navel
    // Knobs of the spine down the back.
    const float spine = Band(std::fabs(around) - kPi, 0.05f, 0.04f) * (0.5f + 0.5f * std::sin(v * 70));
    c = Mix(c, c * 0.7f, spine * Band(v - 0.55f, 0.3f, 0.05f));
    // Under the belt: the top of the breeches.
    c = Mix(c, kBreeches * (0.8f + 0.3f * Noise(u * 60, v * 30, 13)),
            std::clamp((0.2f - v) * 30, 0.0f, 1.0f));
    // A leather bandolier from the right shoulder across the chest to the left hip.
    const float strapCentre = 0.62f + 0.26f * std::cos(around + 0.75f);
    const float strap = Band(v - strapCentre, 0.04f, 0.01f) * std::clamp((v - 0.22f) * 20, 0.0f, 1.0f);
    const float stitch =
        Band(std::fabs(v - strapCentre) - 0.03f, 0.004f, 0.004f) * (std::sin(around * 60) > 0 ? 1.0f : 0.0f);
    c = Mix(c, Mix(kLeather * (0.85f + 0.3f * Noise(u * 80, v * 20, 14)), kBronze * 0.8f, stitch), strap);
    return c;
}

Rgb PaintBelt(float u, float v) {
    const float around = 2 * kPi * u - kPi;
    Rgb c = kLeather * (0.8f + 0.3f * Noise(u * 100, v * 6, 15));
    c = Mix(c, c * 0.5f, Band(v - 0.15f, 0.02f, 0.03f) + Band(v - 0.85f, 0.02f, 0.03f));
    // Brass studs all round and a square buckle at the front.
    const float stud =
        Band(std::fmod(u * 18 + 0.5f, 1.0f) - 0.5f, 0.08f, 0.05f) * Band(v - 0.5f, 0.12f, 0.08f);
    c = Mix(c, kBronze * 0.9f, stud * (std::fabs(around) > 0.5f ? 1.0f : 0.0f));
    const float buckle = Band(around, 0.32f, 0.03f) * Band(v - 0.5f, 0.42f, 0.05f);
    const float hole = Band(around, 0.18f, 0.02f) * Band(v - 0.5f, 0.22f, 0.04f);
    return Mix(Mix(c, kBronze, buckle), kLeather * 0.4f, hole);
}

Rgb PaintLoincloth(float u, float v) {
    // Coarse woven cloth, darker and frayed towards the hem, with three pale claw slashes.
    const float weave =
        0.85f + 0.15f * std::sin(u * 160) * std::sin(v * 160) + 0.2f * Noise(u * 30, v * 30, 16);
    Rgb c = kCloth * weave;
    c = Mix(c, c * 0.55f, std::clamp((v - 0.7f) * 3, 0.0f, 1.0f));
    for (int k = 0; k < 3; ++k) {
        const float slash = Band((u - 0.3f - 0.18f * float(k)) - (v - 0.4f) * 0.5f, 0.025f, 0.02f) *
                            Band(v - 0.4f, 0.2f, 0.05f);
        c = Mix(c, kIvory * 0.8f, slash * 0.85f);
    }
    return c;
}

Rgb PaintArm(float u, float v) {
    // Shoulder (0) to wrist (1): hide, then a laced leather bracer on the forearm.
    const float around = 2 * kPi * u - kPi;
    Rgb c = Hide(u * 2, v * 2, 6, 17);
    c = Mix(c, c * 0.8f, Band(v - 0.5f, 0.05f, 0.08f)); // the crook of the elbow
    const float bracer = Band(v - 0.83f, 0.13f, 0.02f);
    Rgb leather = kLeather * (0.9f + 0.25f * Noise(u * 60, v * 30, 18));
    const float lacing =
        Band(around, 0.25f, 0.02f) * (std::fabs(std::fmod(v * 40 + u * 20, 2.0f) - 1) < 0.3f ? 1.0f : 0.0f);
    leather = Mix(leather, kWraps, lacing);
    return Mix(c, leather, bracer);
}

Rgb PaintLeg(float u, float v) {
    // Hip (0) to ankle (1): ragged breeches to above the knee, bare knee, wrapped shins.
    Rgb c = Hide(u * 2, v * 2, 6, 19);
    const float hem = 0.36f + 0.04f * Noise(u * 20, 0, 20);
    c = Mix(c, kBreeches * (0.8f + 0.35f * Noise(u * 50, v * 50, 21)),
            std::clamp((hem - v) * 40, 0.0f, 1.0f));
    const float strips = std::fabs(std::fmod(v * 24 + u * 3, 1.0f) - 0.5f) * 2;
    const Rgb wrap = Mix(kWraps * 0.75f, kWraps, strips) * (0.85f + 0.3f * Noise(u * 40, v * 40, 22));
    return Mix(c, wrap, std::clamp((v - 0.66f) * 30, 0.0f, 1.0f));
}

Rgb PaintHand(float u, float v) {
    const V3 d = SphereDirection(u, v);
    Rgb c = Hide(u * 2, v, 6, 23);
    return Mix(c, c * 0.75f, std::clamp(-d.z, 0.0f, 1.0f) * 0.5f);
}

Rgb PaintFinger(float u, float v) {
    const Rgb c = Hide(u, v, 4, 24);
    return Mix(c, kHorn * (0.8f + 0.4f * v), std::clamp((v - 0.62f) * 12, 0.0f, 1.0f));
}

Rgb PaintFoot(float u, float v) {
    // u = 0.5 is the top of the foot, u = 0 and 1 the sole; v runs heel to toes.
    const float around = 2 * kPi * u - kPi;
    Rgb c = Hide(u * 2, v, 6, 25) * 0.9f;
    c = Mix(c, {0.18f, 0.15f, 0.09f}, std::clamp((std::fabs(around) - 2.0f) * 3, 0.0f, 1.0f));
    return Mix(c, c * 0.7f,
               Band(std::fmod(v * 8, 1.0f) - 0.5f, 0.05f, 0.05f) * std::clamp((v - 0.6f) * 8, 0.0f, 1.0f));
}

Rgb PaintClub(float u, float v) {
    // Pommel (0) to head (1): a leather-wrapped grip, then grainy wood with knots.
    const float grain =
        0.75f + 0.25f * Noise(u * 30, v * 3, 26) + 0.1f * std::sin(u * 90 + 4 * Noise(u * 5, v * 8, 27));
    Rgb c = kWood * grain;
    c = Mix(c, kWood * 0.45f, std::clamp((Noise(u * 8, v * 10, 28) - 0.8f) * 10, 0.0f, 1.0f));
    const float wrap = std::clamp((0.38f - v) * 40, 0.0f, 1.0f) * std::clamp((v - 0.06f) * 40, 0.0f, 1.0f);
    const float turns = std::fabs(std::fmod(v * 30 + u * 2, 1.0f) - 0.5f) * 2;
    c = Mix(c, Mix(kLeather * 0.7f, kLeather * 1.2f, turns), wrap);
    return Mix(c, kWood * 1.3f, std::clamp((v - 0.95f) * 20, 0.0f, 1.0f));
}

struct Region {
    SkinRect rect;
    std::function<Rgb(float, float)> paint;
};

} // namespace

std::vector<uint8_t> PaintSkin() {
    const std::vector<Region> regions = {
        {kHeadSkin, PaintHead},          {kSnoutSkin, PaintSnout},   {kJawSkin, PaintJaw},
        {kMouthSkin, PaintMouth},        {kEarSkin, PaintEar},       {kEyeSkin, PaintEye},
        {kBrowSkin, PaintBrow},          {kNoseSkin, PaintNose},     {kToothSkin, PaintTooth},
        {kTorsoSkin, PaintTorso},        {kBeltSkin, PaintBelt},     {kLoinFrontSkin, PaintLoincloth},
        {kLoinBackSkin, PaintLoincloth}, {kArmSkin, PaintArm},       {kLegSkin, PaintLeg},
        {kHandSkin, PaintHand},          {kFingerSkin, PaintFinger}, {kFootSkin, PaintFoot},
        {kHairSkin, PaintHair},          {kClubSkin, PaintClub},
    };
    std::vector<Rgb> pixels(size_t(kSkinSize) * kSkinSize, Hide(0.5f, 0.5f, 1, 0));
    // Each region also paints a border of a few pixels around itself, so that filtering and smaller
    // mipmap levels do not bleed in its neighbours' colours; interiors are painted afterwards.
    for (int pass = 0; pass < 2; ++pass) {
        const int margin = pass == 0 ? 3 : 0;
        for (const Region& region : regions) {
            const SkinRect& r = region.rect;
            for (int y = std::max(0, int(r.t0) - margin); y < std::min(kSkinSize, int(r.t1) + margin); ++y) {
                for (int x = std::max(0, int(r.s0) - margin); x < std::min(kSkinSize, int(r.s1) + margin);
                     ++x) {
                    const float u = std::clamp((float(x) + 0.5f - r.s0) / (r.s1 - r.s0), 0.0f, 1.0f);
                    const float v = std::clamp((float(y) + 0.5f - r.t0) / (r.t1 - r.t0), 0.0f, 1.0f);
                    pixels[size_t(y) * kSkinSize + size_t(x)] = region.paint(u, v);
                }
            }
        }
    }
    std::vector<uint8_t> rgb;
    rgb.reserve(pixels.size() * 3);
    for (const Rgb& p : pixels) {
        for (float channel : {p.r, p.g, p.b}) {
            rgb.push_back(uint8_t(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f)));
        }
    }
    return rgb;
}

} // namespace hobgoblin
