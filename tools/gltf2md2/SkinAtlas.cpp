#include "SkinAtlas.h"

#include <stb_image_resize.h>
#include <stb_rect_pack.h>

#include <algorithm>
#include <cmath>

namespace {

// Swatches of plain colours, and the margin round every rectangle of an atlas, repeating its edge so
// that filtering near an edge does not pick up a neighbour's colour.
const int kSwatch = 4;
const int kMargin = 2;
// The most repeats of one texture an atlas lays out along a side, and the most it is scaled down.
const int kMaxTiles = 64;
const double kSmallestScale = 1.0 / 64;
// A coordinate this close to a whole number stays within the tile it borders.
const double kHair = 1e-3;

uint8_t Times(uint8_t value, float factor) {
    return static_cast<uint8_t>(std::lround(std::clamp(value * factor, 0.0f, 255.0f)));
}

} // namespace

void SkinSource::Use(float u, float v) {
    if (low[0] > high[0]) {
        low = high = {{u, v}};
        return;
    }
    low = {{std::min(low[0], u), std::min(low[1], v)}};
    high = {{std::max(high[0], u), std::max(high[1], v)}};
}

bool CSkinAtlas::Lay(const std::vector<SkinSource>& given, std::string& error) {
    sources = given;
    rgba.clear();
    note.clear();
    width = height = 0;
    if (sources.empty() || (sources.size() == 1 && sources[0].Plain() &&
                            sources[0].factor == std::array<float, 4>{{1, 1, 1, 1}})) {
        return true;
    }
    // One texture alone is the skin as it is; anything else shares an atlas.
    single = sources.size() == 1 && !sources[0].Plain();
    margin = single ? 0 : kMargin;
    for (double scale = 1; scale >= kSmallestScale; scale /= 2) {
        if (!Arrange(sources, scale, error)) {
            return false;
        }
        if (width <= kMaxSide && height <= kMaxSide) {
            Paint(sources, scale);
            if (scale < 1) {
                note = "the skin is scaled to " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels to stay within " + std::to_string(kMaxSide) + " a side";
            }
            return true;
        }
    }
    error = "the materials' textures do not fit on one skin of " + std::to_string(kMaxSide) + " x " +
            std::to_string(kMaxSide) + " pixels even scaled down " + std::to_string(int(1 / kSmallestScale)) +
            " times";
    return false;
}

bool CSkinAtlas::Arrange(const std::vector<SkinSource>& list, double scale, std::string& error) {
    places.assign(list.size(), Place());
    std::vector<stbrp_rect> rects(list.size());
    long area = 0;
    int widest = 1;
    for (size_t i = 0; i < list.size(); ++i) {
        const SkinSource& source = list[i];
        Place& place = places[i];
        place.tileWidth = source.Plain() ? kSwatch : std::max(1, int(std::lround(source.width * scale)));
        place.tileHeight = source.Plain() ? kSwatch : std::max(1, int(std::lround(source.height * scale)));
        for (size_t axis = 0; axis < 2 && !source.Plain(); ++axis) {
            if (single) {
                // A mirrored texture is the texture and its mirror image side by side, repeated.
                place.tiles[axis] = source.wrap[axis] == SkinSource::kMirror ? 2 : 1;
                continue;
            }
            if (source.wrap[axis] == SkinSource::kClamp) {
                continue;
            }
            const int first = static_cast<int>(std::floor(source.low[axis] + kHair));
            const int last = static_cast<int>(std::ceil(source.high[axis] - kHair));
            place.firstTile[axis] = first;
            place.tiles[axis] = std::max(1, last - first);
            if (place.tiles[axis] > kMaxTiles) {
                error = "a material's texture repeats " + std::to_string(place.tiles[axis]) +
                        " times across its triangles, more than the " + std::to_string(kMaxTiles) +
                        " an atlas of several materials lays out";
                return false;
            }
        }
        rects[i].id = static_cast<int>(i);
        rects[i].w = place.tileWidth * place.tiles[0] + 2 * margin;
        rects[i].h = place.tileHeight * place.tiles[1] + 2 * margin;
        area += static_cast<long>(rects[i].w) * rects[i].h;
        widest = std::max({widest, rects[i].w, rects[i].h});
    }
    if (single) {
        width = rects[0].w;
        height = rects[0].h;
        return true;
    }
    // The smallest square of a power of two that holds them, trimmed to the rows it uses.
    int side = 1;
    while (side < widest || static_cast<long>(side) * side < area) {
        side *= 2;
    }
    for (;; side *= 2) {
        if (side > kMaxSide) {
            width = height = side;
            return true;
        }
        std::vector<stbrp_node> nodes(static_cast<size_t>(side));
        stbrp_context context;
        stbrp_init_target(&context, side, side, nodes.data(), side);
        if (stbrp_pack_rects(&context, rects.data(), static_cast<int>(rects.size())) == 1) {
            break;
        }
    }
    width = side;
    height = 0;
    for (const stbrp_rect& rect : rects) {
        places[static_cast<size_t>(rect.id)].x = rect.x + margin;
        places[static_cast<size_t>(rect.id)].y = rect.y + margin;
        height = std::max(height, rect.y + rect.h);
    }
    return true;
}

void CSkinAtlas::Paint(const std::vector<SkinSource>& list, double scale) {
    rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    for (size_t i = 0; i < list.size(); ++i) {
        const SkinSource& source = list[i];
        const Place& place = places[i];
        std::vector<uint8_t> tile = source.rgba;
        if (!source.Plain() && scale < 1) {
            tile.resize(static_cast<size_t>(place.tileWidth) * static_cast<size_t>(place.tileHeight) * 4);
            stbir_resize_uint8(source.rgba.data(), source.width, source.height, 0, tile.data(),
                               place.tileWidth, place.tileHeight, 0, 4);
        }
        const int w = place.tileWidth * place.tiles[0], h = place.tileHeight * place.tiles[1];
        for (int y = -margin; y < h + margin; ++y) {
            for (int x = -margin; x < w + margin; ++x) {
                uint8_t* out = &rgba[4 * (static_cast<size_t>(place.y + y) * static_cast<size_t>(width) +
                                          static_cast<size_t>(place.x + x))];
                for (size_t c = 0; c < 4 && source.Plain(); ++c) {
                    out[c] = Times(255, source.factor[c]);
                }
                if (source.Plain()) {
                    continue;
                }
                // The margin repeats the rectangle's edge; inside, every other tile of a mirrored
                // texture (counting from tile 0 of the coordinates) is its mirror image.
                const int at[2] = {std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1)};
                const int size[2] = {place.tileWidth, place.tileHeight};
                int texel[2];
                for (size_t axis = 0; axis < 2; ++axis) {
                    const int tileIndex = place.firstTile[axis] + at[axis] / size[axis];
                    const bool mirrored = source.wrap[axis] == SkinSource::kMirror && tileIndex % 2 != 0;
                    texel[axis] = mirrored ? size[axis] - 1 - at[axis] % size[axis] : at[axis] % size[axis];
                }
                const uint8_t* in = &tile[4 * (static_cast<size_t>(texel[1]) * static_cast<size_t>(size[0]) +
                                               static_cast<size_t>(texel[0]))];
                for (size_t c = 0; c < 4; ++c) {
                    out[c] = Times(in[c], source.factor[c]);
                }
            }
        }
    }
}

std::array<double, 2> CSkinAtlas::Pixel(size_t index, double u, double v) const {
    const SkinSource& source = sources[index];
    const Place& place = places[index];
    if (source.Plain()) {
        return {{place.x + kSwatch / 2.0, place.y + kSwatch / 2.0}};
    }
    const double uv[2] = {u, v};
    const int origin[2] = {place.x, place.y};
    const int size[2] = {place.tileWidth, place.tileHeight};
    std::array<double, 2> pixel;
    for (size_t axis = 0; axis < 2; ++axis) {
        double c = uv[axis];
        if (source.wrap[axis] == SkinSource::kClamp) {
            c = std::clamp(c, 0.0, 1.0);
        }
        pixel[axis] = origin[axis] + (c - place.firstTile[axis]) * size[axis];
    }
    return pixel;
}
