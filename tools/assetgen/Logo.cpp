// The viewer's logo, Data/Logo/kvxlogo.png: "Korvel" in large gold letters over a smaller spaced
// "ENGINE", both with a dark outline, on a transparent 200x60 background.
#include "Generator.h"
#include "Png.h"
#include "demo/ViewerScene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

const char* const kBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const int kWidth = 200, kHeight = 60;

// Glyph coverage (0..1) over the whole logo, one float per pixel.
struct Coverage {
    std::vector<float> value = std::vector<float>(size_t(kWidth) * kHeight, 0.0f);
    float At(int x, int y) const {
        return x < 0 || y < 0 || x >= kWidth || y >= kHeight ? 0.0f : value[size_t(y) * kWidth + x];
    }
};

// Width in pixels of `text` set at the face's current size with `spacing` extra pixels per letter.
int MeasureText(FT_Face face, const char* text, int spacing) {
    int pen = 0;
    for (const char* c = text; *c; ++c) {
        if (FT_Load_Char(face, FT_ULong(*c), FT_LOAD_DEFAULT) == 0) {
            pen += int(face->glyph->advance.x >> 6) + (c[1] ? spacing : 0);
        }
    }
    return pen;
}

// Renders `text` with its baseline starting at (x, baseline).
void DrawText(FT_Face face, const char* text, int x, int baseline, int spacing, Coverage& out) {
    for (const char* c = text; *c; ++c) {
        if (FT_Load_Char(face, FT_ULong(*c), FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot g = face->glyph;
        for (unsigned row = 0; row < g->bitmap.rows; ++row) {
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                const int px = x + g->bitmap_left + int(col), py = baseline - g->bitmap_top + int(row);
                if (px >= 0 && py >= 0 && px < kWidth && py < kHeight) {
                    float& v = out.value[size_t(py) * kWidth + px];
                    v = std::max(v, g->bitmap.buffer[row * unsigned(g->bitmap.pitch) + col] / 255.0f);
                }
            }
        }
        x += int(g->advance.x >> 6) + spacing;
    }
}

// The outline: coverage spread over a disc of `radius` pixels, softened at the rim.
Coverage Dilate(const Coverage& in, float radius) {
    Coverage out;
    const int r = int(std::ceil(radius));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy) {
                for (int dx = -r; dx <= r; ++dx) {
                    const float weight =
                        std::clamp(radius + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
                    best = std::max(best, in.At(x + dx, y + dy) * weight);
                }
            }
            out.value[size_t(y) * kWidth + x] = best;
        }
    }
    return out;
}

struct Rgb {
    float r, g, b;
};

// Puts `colour` with opacity `alpha` over the (premultiplied) pixel.
void Over(float* premultiplied, Rgb colour, float alpha) {
    premultiplied[0] = colour.r * alpha + premultiplied[0] * (1 - alpha);
    premultiplied[1] = colour.g * alpha + premultiplied[1] * (1 - alpha);
    premultiplied[2] = colour.b * alpha + premultiplied[2] * (1 - alpha);
    premultiplied[3] = alpha + premultiplied[3] * (1 - alpha);
}

bool MakeLogo(const std::string& dataDir) {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, kBoldFont, 0, &face) != 0) {
        std::fprintf(stderr, "logo: cannot open the font %s\n", kBoldFont);
        FT_Done_FreeType(library);
        return false;
    }
    Coverage title, subtitle;
    FT_Set_Pixel_Sizes(face, 0, 38);
    const int titleWidth = MeasureText(face, "Korvel", 0);
    DrawText(face, "Korvel", (kWidth - titleWidth) / 2, 36, 0, title);
    FT_Set_Pixel_Sizes(face, 0, 14);
    const int subtitleWidth = MeasureText(face, "ENGINE", 6);
    DrawText(face, "ENGINE", (kWidth - subtitleWidth) / 2, 54, 6, subtitle);
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    const Coverage titleOutline = Dilate(title, 2.0f), subtitleOutline = Dilate(subtitle, 1.5f);
    const Rgb outline{0.09f, 0.06f, 0.04f}, top{1.0f, 0.88f, 0.45f}, bottom{0.92f, 0.45f, 0.10f};
    const Rgb steel{0.80f, 0.87f, 0.93f};
    std::vector<uint8_t> rgba(size_t(kWidth) * kHeight * 4);
    for (int y = 0; y < kHeight; ++y) {
        // The title's gold runs from pale at the cap height to deep orange at the baseline.
        const float t = std::clamp((y - 8.0f) / 28.0f, 0.0f, 1.0f);
        const Rgb gold{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
                       top.b + (bottom.b - top.b) * t};
        for (int x = 0; x < kWidth; ++x) {
            float p[4] = {0, 0, 0, 0};
            Over(p, outline, std::max(titleOutline.At(x, y), subtitleOutline.At(x, y)));
            Over(p, gold, title.At(x, y));
            Over(p, steel, subtitle.At(x, y));
            uint8_t* px = &rgba[(size_t(y) * kWidth + x) * 4];
            for (int c = 0; c < 3; ++c) {
                px[c] = p[3] > 0 ? uint8_t(std::lround(255.0f * std::min(1.0f, p[c] / p[3]))) : 0;
            }
            px[3] = uint8_t(std::lround(255.0f * p[3]));
        }
    }
    return assetgen::WritePngRGBA(assetgen::InData(dataDir, CViewerScene::kLogoPath), kWidth, kHeight, rgba);
}

assetgen::Registrar reg("logo", MakeLogo);

} // namespace
