// MD2's limits and the skin: a model over its triangles or vertices simplified once, on the rest pose,
// so that every key frame keeps the same triangles; then the skin laid out over the triangles kept.
#include "Md2Baker.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// 4212 as "4,212".
std::string Thousands(size_t n) {
    std::string digits = std::to_string(n);
    for (size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, ",");
    }
    return digits;
}

// Rounds of simplification towards MD2's vertex limit before giving up.
const int kVertexRounds = 8;

} // namespace

void CMd2Baker::Simplify(size_t target, const std::vector<float>& rest) {
    if (target == 0 || target >= allCorners.size() / 3) {
        corners = allCorners;
        return;
    }
    // The simplifier sees one vertex a place, texture coordinate and material: vertices apart only by
    // their normals (a flat-shaded model's faces) are one, since the engine computes its own normals,
    // and a vertex no triangle uses must not stand beside them (several vertices at one place read as
    // a seam that holds still).
    std::map<std::tuple<float, float, float, float, float, size_t>, uint32_t> known;
    std::vector<uint32_t> local(vertexCount);
    std::vector<uint32_t> global;
    std::vector<float> places;
    for (const Piece& piece : pieces) {
        for (uint32_t corner : piece.triangles) {
            const size_t g = piece.first + corner;
            const auto key =
                std::make_tuple(rest[3 * g], rest[3 * g + 1], rest[3 * g + 2], piece.texCoords[2 * corner],
                                piece.texCoords[2 * corner + 1], piece.source);
            const auto found = known.emplace(key, static_cast<uint32_t>(global.size()));
            if (found.second) {
                global.push_back(static_cast<uint32_t>(g));
                places.insert(places.end(), &rest[3 * g], &rest[3 * g + 3]);
            }
            local[g] = found.first->second;
        }
    }
    std::vector<uint32_t> indices(allCorners.size());
    for (size_t i = 0; i < allCorners.size(); ++i) {
        indices[i] = local[allCorners[i]];
    }
    // Texture seams (vertices apart at one place) and open borders keep their shape: the simplifier
    // only collapses edges along them. The error bound is the whole model: the count decides.
    corners.resize(indices.size());
    corners.resize(meshopt_simplify(corners.data(), indices.data(), indices.size(), places.data(),
                                    global.size(), 3 * sizeof(float), 3 * target, 1.0f, 0, nullptr));
    for (uint32_t& corner : corners) {
        corner = global[corner];
    }
}

bool CMd2Baker::FitLimits(std::string& error) {
    const size_t triangles = allCorners.size() / 3;
    const auto limit = static_cast<size_t>(std::min(options.maxTriangles, kMaxTriangles));
    std::vector<float> rest;
    if (options.simplify && triangles > limit) {
        pose.Evaluate(-1, 0);
        PoseVertices(rest);
    }
    Simplify(triangles > limit && options.simplify ? limit : 0, rest);
    if (corners.size() / 3 > limit) {
        error =
            "the scene has " + std::to_string(corners.size() / 3) + " triangles, more than the " +
            std::to_string(limit) +
            (limit < static_cast<size_t>(kMaxTriangles) ? " --max-triangles allows" : " an MD2 model holds") +
            (options.simplify ? " even simplified" : "");
        return false;
    }
    frames.clear();
    for (const Key& key : keys) {
        pose.Evaluate(key.animation, key.time);
        frames.emplace_back();
        PoseVertices(frames.back());
    }
    // A vertex welds only with those that share its place in every frame, so the vertex count is
    // known only now; fewer triangles use fewer vertices.
    Weld();
    for (int round = 0; md2Source.size() > static_cast<size_t>(kMaxVertices); ++round) {
        if (!options.simplify || round == kVertexRounds) {
            error = "the model has " + std::to_string(md2Source.size()) + " vertices, more than the " +
                    std::to_string(kMaxVertices) + " an MD2 model holds" +
                    (options.simplify ? " even simplified" : "");
            return false;
        }
        if (rest.empty()) {
            pose.Evaluate(-1, 0);
            PoseVertices(rest);
        }
        const double share = 0.97 * kMaxVertices / static_cast<double>(md2Source.size());
        Simplify(std::max<size_t>(1, static_cast<size_t>(static_cast<double>(corners.size() / 3) * share)),
                 rest);
        Weld();
    }
    if (corners.size() < allCorners.size()) {
        notes.push_back("simplified from " + Thousands(triangles) + " to " + Thousands(corners.size() / 3) +
                        " triangles (" + Thousands(md2Source.size()) + " vertices)");
    }
    return true;
}

bool CMd2Baker::LaySkin(std::string& error) {
    // Each material's span of coordinates, over the triangles kept.
    std::vector<SkinSource> spans = sources;
    for (SkinSource& source : spans) {
        source.low = {{1, 1}};
        source.high = {{0, 0}};
    }
    for (const Piece& piece : pieces) {
        for (uint32_t corner : piece.triangles) {
            spans[piece.source].Use(piece.texCoords[2 * corner], piece.texCoords[2 * corner + 1]);
        }
    }
    if (!atlas.Lay(spans, error)) {
        return false;
    }
    if (!atlas.Note().empty()) {
        notes.push_back(atlas.Note());
    }
    return true;
}
