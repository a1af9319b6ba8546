#include "SkinnedMesh.h"

#include <cmath>

namespace assetgen {

namespace {

const float kPi = 3.14159265358979f;

// The ring's two directions across `axis`: `front` made square to it, and the side direction
// that makes (front, side, axis) right-handed.
void CrossSection(V3 axis, V3 front, V3& e1, V3& e2) {
    e1 = Normalized(front - axis * Dot(front, axis));
    e2 = Cross(axis, e1);
}

} // namespace

int SkinnedMesh::AddVertex(V3 rest, Binding binding) {
    vertices.push_back({rest, binding});
    return int(vertices.size()) - 1;
}

int SkinnedMesh::AddTexCoord(const SkinRect& rect, float u, float v) {
    const int s = int(std::lround(rect.s0 + (rect.s1 - rect.s0) * u));
    const int t = int(std::lround(rect.t0 + (rect.t1 - rect.t0) * v));
    const auto found = texCoordIndex.emplace(std::make_pair(s, t), int(texCoords.size() / 2));
    if (found.second) {
        texCoords.push_back(s);
        texCoords.push_back(t);
    }
    return found.first->second;
}

void SkinnedMesh::AddTriangle(const int vertex[3], const int texCoord[3], V3 outward) {
    const V3 a = vertices[size_t(vertex[0])].rest, b = vertices[size_t(vertex[1])].rest;
    const V3 c = vertices[size_t(vertex[2])].rest;
    // Counter-clockwise from outside has its normal (b - a) x (c - a) along `outward`; MD2 stores
    // the other turn.
    const bool counterClockwise = Dot(Cross(b - a, c - a), outward) >= 0;
    const int second = counterClockwise ? 2 : 1, third = counterClockwise ? 1 : 2;
    triangles.push_back(
        {{vertex[0], vertex[second], vertex[third]}, {texCoord[0], texCoord[second], texCoord[third]}});
}

void SkinnedMesh::AddQuad(const int vertex[4], const int texCoord[4], V3 outward) {
    const int first[3] = {vertex[0], vertex[1], vertex[2]},
              firstTex[3] = {texCoord[0], texCoord[1], texCoord[2]};
    const int second[3] = {vertex[0], vertex[2], vertex[3]},
              secondTex[3] = {texCoord[0], texCoord[2], texCoord[3]};
    AddTriangle(first, firstTex, outward);
    AddTriangle(second, secondTex, outward);
}

int SkinnedMesh::AddTube(const std::vector<Ring>& rings, V3 front, int segments, const SkinRect& rect,
                         float startBulge, float endBulge) {
    const int first = int(vertices.size());
    const size_t count = rings.size();
    // v follows the length along the tube, caps included, so the skin is not stretched.
    std::vector<float> along(count, 0.0f);
    const float startLength = startBulge > 0 ? startBulge : 0.0f;
    along[0] = startLength;
    for (size_t i = 1; i < count; ++i) {
        along[i] = along[i - 1] + Length(rings[i].centre - rings[i - 1].centre);
    }
    const float total = along[count - 1] + (endBulge > 0 ? endBulge : 0.0f);
    std::vector<V3> axes(count);
    for (size_t i = 0; i < count; ++i) {
        const V3 before = rings[i > 0 ? i - 1 : i].centre, after = rings[i + 1 < count ? i + 1 : i].centre;
        axes[i] = Normalized(after - before);
    }
    for (size_t i = 0; i < count; ++i) {
        V3 e1, e2;
        CrossSection(axes[i], front, e1, e2);
        for (int j = 0; j < segments; ++j) {
            const float angle = 2 * kPi * float(j) / float(segments) - kPi;
            const V3 p = rings[i].centre + e1 * (std::cos(angle) * rings[i].radiusFront) +
                         e2 * (std::sin(angle) * rings[i].radiusSide);
            AddVertex(p, rings[i].binding);
        }
    }
    auto at = [&](size_t i, int j) { return first + int(i) * segments + j % segments; };
    auto tex = [&](size_t i, int j) {
        return AddTexCoord(rect, float(j) / float(segments), along[i] / total);
    };
    for (size_t i = 0; i + 1 < count; ++i) {
        const V3 middle = (rings[i].centre + rings[i + 1].centre) * 0.5f;
        for (int j = 0; j < segments; ++j) {
            const int quad[4] = {at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)};
            const int st[4] = {tex(i, j), tex(i, j + 1), tex(i + 1, j + 1), tex(i + 1, j)};
            AddQuad(quad, st,
                    (vertices[size_t(quad[0])].rest + vertices[size_t(quad[2])].rest) * 0.5f - middle);
        }
    }
    for (int end = 0; end < 2; ++end) {
        const float bulge = end == 0 ? startBulge : endBulge;
        if (bulge < 0) {
            continue;
        }
        const size_t i = end == 0 ? 0 : count - 1;
        const V3 direction = end == 0 ? axes[0] * -1.0f : axes[count - 1];
        const int tip = AddVertex(rings[i].centre + direction * bulge, rings[i].binding);
        const float v = end == 0 ? 0.0f : 1.0f;
        for (int j = 0; j < segments; ++j) {
            const int corner[3] = {tip, at(i, j), at(i, j + 1)};
            const int st[3] = {AddTexCoord(rect, (float(j) + 0.5f) / float(segments), v), tex(i, j),
                               tex(i, j + 1)};
            AddTriangle(corner, st, direction);
        }
    }
    return first;
}

void SkinnedMesh::AddEllipsoid(V3 centre, V3 front, V3 side, V3 up, int segments, int rings,
                               const SkinRect& rect, Binding binding, float arc) {
    // A whole turn closes on its first column; a part turn keeps both edge columns.
    const bool closed = arc >= 1.0f;
    const int columns = closed ? segments : segments + 1;
    const int top = AddVertex(centre + up, binding);
    const int first = int(vertices.size());
    for (int k = 1; k < rings; ++k) {
        const float polar = kPi * float(k) / float(rings);
        for (int j = 0; j < columns; ++j) {
            const float angle = kPi * arc * (2 * float(j) / float(segments) - 1);
            const V3 around = front * std::cos(angle) + side * std::sin(angle);
            AddVertex(centre + up * std::cos(polar) + around * std::sin(polar), binding);
        }
    }
    const int bottom = AddVertex(centre - up, binding);
    auto at = [&](int k, int j) { return first + (k - 1) * columns + (closed ? j % segments : j); };
    auto u = [&](float j) { return 0.5f + arc * (j / float(segments) - 0.5f); };
    auto tex = [&](int k, int j) { return AddTexCoord(rect, u(float(j)), float(k) / float(rings)); };
    auto outward = [&](int v) { return vertices[size_t(v)].rest - centre; };
    for (int j = 0; j < segments; ++j) {
        const int poleTop[3] = {top, at(1, j), at(1, j + 1)};
        const int stTop[3] = {AddTexCoord(rect, u(float(j) + 0.5f), 0), tex(1, j), tex(1, j + 1)};
        AddTriangle(poleTop, stTop, outward(poleTop[1]) + outward(poleTop[2]));
        const int poleBottom[3] = {bottom, at(rings - 1, j), at(rings - 1, j + 1)};
        const int stBottom[3] = {AddTexCoord(rect, u(float(j) + 0.5f), 1), tex(rings - 1, j),
                                 tex(rings - 1, j + 1)};
        AddTriangle(poleBottom, stBottom, outward(poleBottom[1]) + outward(poleBottom[2]));
        for (int k = 1; k + 1 < rings; ++k) {
            const int quad[4] = {at(k, j), at(k, j + 1), at(k + 1, j + 1), at(k + 1, j)};
            const int st[4] = {tex(k, j), tex(k, j + 1), tex(k + 1, j + 1), tex(k + 1, j)};
            AddQuad(quad, st, outward(quad[0]) + outward(quad[2]));
        }
    }
}

void SkinnedMesh::AddSlab(const std::vector<V3>& outline, int columns, int rows, V3 normal, float thickness,
                          const SkinRect& frontRect, const SkinRect& backRect,
                          const std::vector<Binding>& bindings) {
    for (int face = 0; face < 2; ++face) {
        const V3 facing = face == 0 ? normal : normal * -1.0f;
        const SkinRect& rect = face == 0 ? frontRect : backRect;
        const int first = int(vertices.size());
        for (size_t p = 0; p < outline.size(); ++p) {
            AddVertex(outline[p] + facing * (thickness * 0.5f), bindings[p]);
        }
        auto tex = [&](int r, int c) {
            return AddTexCoord(rect, float(c) / float(columns - 1), float(r) / float(rows - 1));
        };
        for (int r = 0; r + 1 < rows; ++r) {
            for (int c = 0; c + 1 < columns; ++c) {
                const int quad[4] = {first + r * columns + c, first + r * columns + c + 1,
                                     first + (r + 1) * columns + c + 1, first + (r + 1) * columns + c};
                const int st[4] = {tex(r, c), tex(r, c + 1), tex(r + 1, c + 1), tex(r + 1, c)};
                AddQuad(quad, st, facing);
            }
        }
    }
}

} // namespace assetgen
