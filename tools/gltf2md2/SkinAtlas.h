// One skin for every material a model uses: MD2 has a single skin a model, so each material's base
// colour (its texture times its colour factor, or a small swatch of a plain colour) gets a place on
// it, and texture coordinates move into their material's place. A model with one textured material
// keeps that texture as its skin, coordinates beyond it included: the engine draws skins repeated.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A material as its skin shows it.
struct SkinSource {
    // Straight RGBA, top row first; empty for a plain colour.
    std::vector<uint8_t> rgba;
    int width = 0;
    int height = 0;
    // The base colour factor, multiplying the texture (or the plain colour itself).
    std::array<float, 4> factor{{1, 1, 1, 1}};
    // The sampler's wrap on u and v: GL_REPEAT (glTF's default), GL_CLAMP_TO_EDGE or GL_MIRRORED_REPEAT.
    std::array<int, 2> wrap{{kRepeat, kRepeat}};
    // The span of texture coordinates the material's triangles use, on u and v.
    std::array<float, 2> low{{0, 0}};
    std::array<float, 2> high{{0, 0}};

    static const int kRepeat = 10497;
    static const int kClamp = 33071;
    static const int kMirror = 33648;
    bool Plain() const { return rgba.empty(); }
    // Widens the span to take in (u, v).
    void Use(float u, float v);
};

class CSkinAtlas {
public:
    // The longest side a skin is given; larger layouts are scaled down to it.
    static const int kMaxSide = 2048;

    // Lays the sources out on one skin and paints it. False, with the reason in `error`, when the
    // layout cannot fit even scaled down. With one plain white source there is no skin at all (the
    // engine draws such a model plain).
    bool Lay(const std::vector<SkinSource>& sources, std::string& error);
    bool Empty() const { return rgba.empty(); }
    int Width() const { return width; }
    int Height() const { return height; }
    const std::vector<uint8_t>& Rgba() const { return rgba; }
    // A line saying how the skin was scaled to fit, or empty.
    const std::string& Note() const { return note; }
    // Where coordinate (u, v) of source i lands on the skin, in skin pixels (t from the top row).
    std::array<double, 2> Pixel(size_t source, double u, double v) const;

private:
    // A source's rectangle: its texture laid out over the whole tiles its coordinates span.
    struct Place {
        int x = 0, y = 0;                  // the rectangle's corner inside its margin
        int tileWidth = 0, tileHeight = 0; // one repeat, in skin pixels
        std::array<int, 2> firstTile{{0, 0}};
        std::array<int, 2> tiles{{1, 1}};
    };

    bool Arrange(const std::vector<SkinSource>& sources, double scale, std::string& error);
    void Paint(const std::vector<SkinSource>& sources, double scale);

    std::vector<SkinSource> sources;
    std::vector<Place> places;
    bool single = false;
    int margin = 0;
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    std::string note;
};
