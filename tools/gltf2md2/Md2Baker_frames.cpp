// Key frames: each animation sampled evenly, the scene posed at every sample, vertices welded, texture
// coordinates turned into skin pixels and every frame packed into bytes.
#include "Md2Baker.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

namespace {

// A frame's number as its name ends: two digits, counting 01, 02, ... from each animation's first
// frame (the loader reads at most two trailing digits, and a run numbered from 1 starts where it
// stands).
std::string FrameNumber(size_t k) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02d", static_cast<int>((k + 1) % 100));
    return digits;
}

bool TooManyFrames(std::string& error) {
    error = "the animations need more than the " + std::to_string(CMd2Baker::kMaxFrames) +
            " key frames an MD2 model holds (lower --fps or set --max-frames)";
    return false;
}

// Whether a matrix turns space inside out (the determinant of its 3 x 3 part is negative), as a
// node scaled by -1 on an axis does: Blender writes a mirrored object so.
bool Mirrors(const Mat4& m) {
    return m[0] * (m[5] * m[10] - m[6] * m[9]) - m[4] * (m[1] * m[10] - m[2] * m[9]) +
               m[8] * (m[1] * m[6] - m[2] * m[5]) <
           0;
}

// Mixes bytes into a 64-bit FNV-1a hash.
uint64_t Hash(uint64_t hash, const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

} // namespace

bool CMd2Baker::Bake(std::string& error) {
    if (!pose.Prepare(error) || !ReadSkins(error)) {
        return false;
    }
    // The mesh nodes in the order the scene lists them, parents before children.
    std::vector<int> meshNodes;
    std::vector<int> stack(pose.SceneRoots().rbegin(), pose.SceneRoots().rend());
    while (!stack.empty()) {
        const int n = stack.back();
        stack.pop_back();
        const tinygltf::Node& node = model.nodes[static_cast<size_t>(n)];
        if (node.mesh >= 0) {
            if (static_cast<size_t>(node.mesh) >= model.meshes.size()) {
                error = "node " + std::to_string(n) + " names a mesh that does not exist";
                return false;
            }
            meshNodes.push_back(n);
        }
        stack.insert(stack.end(), node.children.rbegin(), node.children.rend());
    }
    for (int n : meshNodes) {
        const size_t primitives =
            model.meshes[static_cast<size_t>(model.nodes[static_cast<size_t>(n)].mesh)].primitives.size();
        for (size_t p = 0; p < primitives; ++p) {
            if (!ReadPiece(n, static_cast<int>(p), error)) {
                return false;
            }
        }
    }
    // glTF turns the fronts of a mirrored node's triangles round (they wind clockwise there), so
    // that they still face out; the model keeps them facing out by swapping two corners.
    pose.Evaluate(-1, 0);
    for (Piece& piece : pieces) {
        if (Mirrors(pose.World(piece.node))) {
            for (size_t i = 0; i + 2 < piece.triangles.size(); i += 3) {
                std::swap(piece.triangles[i + 1], piece.triangles[i + 2]);
            }
        }
    }
    allCorners.clear();
    for (const Piece& piece : pieces) {
        for (uint32_t corner : piece.triangles) {
            allCorners.push_back(static_cast<uint32_t>(piece.first) + corner);
        }
    }
    if (allCorners.empty()) {
        error = "the scene holds no triangles";
        return false;
    }
    if (!leftOut.empty()) {
        std::string names;
        for (const std::string& name : leftOut) {
            names += (names.empty() ? "" : ", ") + name;
        }
        notes.push_back(names + " left out: an MD2 skin shows base colours alone");
    }
    return PlanFrames(error) && FitLimits(error) && LaySkin(error);
}

bool CMd2Baker::PlanFrames(std::string& error) {
    keys.clear();
    names.clear();
    animations.clear();
    if (model.animations.empty()) {
        keys.push_back({-1, 0.0, "frame" + FrameNumber(0)});
        return true;
    }
    for (size_t a = 0; a < model.animations.size(); ++a) {
        std::string name = CleanName(model.animations[a].name);
        name = name.empty() ? "anim" + std::to_string(a + 1) : name;
        // Animations of the same name would read as one; later ones are numbered.
        const std::string base = name;
        for (int copy = 2; std::find(names.begin(), names.end(), name) != names.end(); ++copy) {
            const std::string suffix = "_" + std::to_string(copy);
            name = base.substr(0, kMaxNameLength - suffix.size()) + suffix;
        }
        names.push_back(name);
        const double start = pose.StartTime(static_cast<int>(a));
        const double length = pose.EndTime(static_cast<int>(a)) - start;
        // The end time is the next loop's start: the engine plays every animation round.
        double wanted = std::max(1.0, std::ceil(length * options.framesPerSecond - 1e-3));
        double step = 1.0 / options.framesPerSecond;
        if (options.maxFrames > 0 && wanted > options.maxFrames) {
            wanted = options.maxFrames;
            step = length / wanted;
        }
        // The table names it in full; its rate plays the key frames over the glTF's own length.
        std::string full = CleanName(model.animations[a].name, kMaxTableName);
        full = full.empty() ? name : full;
        for (int copy = 2;
             std::any_of(animations.begin(), animations.end(),
                         [&full](const Md2BakedAnimation& other) { return other.name == full; });
             ++copy) {
            const std::string suffix = "_" + std::to_string(copy);
            full = CleanName(model.animations[a].name, kMaxTableName - suffix.size()) + suffix;
        }
        if (static_cast<double>(keys.size()) + wanted > kMaxFrames) {
            return TooManyFrames(error);
        }
        // A table's rate lies between 0 (which would hold the pose) and 1000 key frames a second.
        const int first = static_cast<int>(keys.size());
        const double rate = length > 0 ? wanted / length : options.framesPerSecond;
        animations.push_back(
            {full, first, first + static_cast<int>(wanted) - 1, std::clamp(rate, 0.01, 1000.0)});
        for (size_t k = 0; k < static_cast<size_t>(wanted); ++k) {
            keys.push_back(
                {static_cast<int>(a), start + static_cast<double>(k) * step, name + FrameNumber(k)});
        }
    }
    // The loader lists the file's last run of frames only when it holds two or more: a last
    // animation of one key frame shows it twice.
    if (model.animations.size() > 1 && keys[keys.size() - 2].animation != keys.back().animation) {
        Key again = keys.back();
        again.name = names.back() + FrameNumber(1);
        keys.push_back(again);
    }
    return keys.size() <= static_cast<size_t>(kMaxFrames) || TooManyFrames(error);
}

void CMd2Baker::PoseVertices(std::vector<float>& frame) {
    // Each skin's joint matrices at this pose: the joint's place in the scene after its inverse bind.
    std::vector<std::vector<Mat4>> jointMatrices(skinJoints.size());
    for (size_t s = 0; s < skinJoints.size(); ++s) {
        for (size_t j = 0; j < skinJoints[s].size(); ++j) {
            jointMatrices[s].push_back(Multiply(pose.World(skinJoints[s][j]), inverseBinds[s][j]));
        }
    }
    const double toUnits = 1.0 / static_cast<double>(options.scale);
    for (const Piece& piece : pieces) {
        const tinygltf::Node& node = model.nodes[static_cast<size_t>(piece.node)];
        const std::vector<double>& nodeWeights = pose.Weights(piece.node);
        const std::vector<double>& weights =
            nodeWeights.empty() ? model.meshes[static_cast<size_t>(node.mesh)].weights : nodeWeights;
        const Mat4& place = pose.World(piece.node);
        for (size_t v = 0; v < piece.positions.size() / 3; ++v) {
            std::array<double, 3> p;
            for (size_t c = 0; c < 3; ++c) {
                p[c] = piece.positions[3 * v + c];
                for (size_t t = 0; t < piece.targets.size() && t < weights.size(); ++t) {
                    p[c] += weights[t] * piece.targets[t][3 * v + c];
                }
            }
            std::array<double, 3> q = Transform(place, p);
            // A skinned vertex follows its joints (the mesh node's own place does not count); one
            // without any weight stays where its node puts it.
            double total = 0;
            for (size_t i = 0; i < piece.influences; ++i) {
                total += piece.weights[v * piece.influences + i];
            }
            if (total > 0) {
                q = {0, 0, 0};
                for (size_t i = 0; i < piece.influences; ++i) {
                    const double w = piece.weights[v * piece.influences + i] / total;
                    if (w != 0) {
                        const auto joint = static_cast<size_t>(piece.joints[v * piece.influences + i]);
                        const std::array<double, 3> moved =
                            Transform(jointMatrices[static_cast<size_t>(piece.skin)][joint], p);
                        for (size_t c = 0; c < 3; ++c) {
                            q[c] += w * moved[c];
                        }
                    }
                }
            }
            // glTF's z (the model's front) is MD2's x, glTF's x its y, glTF's y (up) its z.
            frame.push_back(static_cast<float>(q[2] * toUnits));
            frame.push_back(static_cast<float>(q[0] * toUnits));
            frame.push_back(static_cast<float>(q[1] * toUnits));
        }
    }
}

void CMd2Baker::Weld() {
    std::vector<bool> used(vertexCount, false);
    for (uint32_t corner : corners) {
        used[corner] = true;
    }
    std::vector<const float*> normals(vertexCount, nullptr);
    for (const Piece& piece : pieces) {
        for (size_t v = 0; v < piece.normals.size() / 3; ++v) {
            normals[piece.first + v] = &piece.normals[3 * v];
        }
    }
    const float none[3] = {0, 0, 0};
    const auto same = [&](size_t a, size_t b) {
        for (const std::vector<float>& frame : frames) {
            if (std::memcmp(&frame[3 * a], &frame[3 * b], 3 * sizeof(float)) != 0) {
                return false;
            }
        }
        return std::memcmp(normals[a] ? normals[a] : none, normals[b] ? normals[b] : none,
                           3 * sizeof(float)) == 0;
    };
    md2Vertex.assign(vertexCount, -1);
    md2Source.clear();
    std::unordered_map<uint64_t, std::vector<int>> buckets;
    for (size_t g = 0; g < vertexCount; ++g) {
        if (!used[g]) {
            continue;
        }
        uint64_t hash = 14695981039346656037ull;
        for (const std::vector<float>& frame : frames) {
            hash = Hash(hash, &frame[3 * g], 3 * sizeof(float));
        }
        hash = Hash(hash, normals[g] ? normals[g] : none, 3 * sizeof(float));
        std::vector<int>& bucket = buckets[hash];
        for (int candidate : bucket) {
            if (same(md2Source[static_cast<size_t>(candidate)], g)) {
                md2Vertex[g] = candidate;
                break;
            }
        }
        if (md2Vertex[g] < 0) {
            md2Vertex[g] = static_cast<int>(md2Source.size());
            bucket.push_back(md2Vertex[g]);
            md2Source.push_back(g);
        }
    }
}

bool CMd2Baker::Build(const std::string& skinName, korvel::files::Md2File& md2, std::string& error) const {
    md2 = korvel::files::Md2File();
    md2.skinWidth = atlas.Width();
    md2.skinHeight = atlas.Height();
    if (!skinName.empty() && !atlas.Empty()) {
        md2.skins.push_back(skinName);
    }
    // Texture coordinates in skin pixels, t from the top row as glTF's v; equal ones stored once.
    // Beyond the skin they repeat it, as the engine draws skins; 16 bits hold what they can.
    std::map<std::array<int16_t, 2>, int16_t> texCoordIndex;
    std::vector<int16_t> texCoordOf(vertexCount, 0);
    for (const Piece& piece : pieces) {
        for (size_t v = 0; !atlas.Empty() && v < piece.texCoords.size() / 2; ++v) {
            if (md2Vertex[piece.first + v] < 0) {
                continue;
            }
            const float u = piece.texCoords[2 * v], w = piece.texCoords[2 * v + 1];
            const std::array<double, 2> pixel = atlas.Pixel(piece.source, u, w);
            const double s = std::round(pixel[0]), t = std::round(pixel[1]);
            if (!(s >= INT16_MIN && s <= INT16_MAX && t >= INT16_MIN && t <= INT16_MAX)) {
                char text[160];
                std::snprintf(text, sizeof text,
                              "texture coordinate (%g, %g) lies further from the skin than MD2's 16-bit skin "
                              "pixels reach",
                              u, w);
                error = text;
                return false;
            }
            const std::array<int16_t, 2> st{{static_cast<int16_t>(s), static_cast<int16_t>(t)}};
            const auto found = texCoordIndex.emplace(st, static_cast<int16_t>(md2.texCoords.size()));
            if (found.second) {
                md2.texCoords.push_back(st);
            }
            texCoordOf[piece.first + v] = found.first->second;
        }
    }
    // MD2 fronts wind the other way round: the last two corners swap.
    for (size_t i = 0; i + 2 < corners.size(); i += 3) {
        korvel::files::Md2Triangle triangle{};
        const size_t order[3] = {0, 2, 1};
        for (size_t j = 0; j < 3; ++j) {
            const size_t g = corners[i + order[j]];
            triangle.vertex[j] = static_cast<int16_t>(md2Vertex[g]);
            triangle.texCoord[j] = texCoordOf[g];
        }
        md2.triangles.push_back(triangle);
    }
    for (size_t f = 0; f < frames.size(); ++f) {
        korvel::files::Md2Frame frame;
        frame.name = keys[f].name;
        for (size_t c = 0; c < 3; ++c) {
            float low = frames[f][3 * md2Source[0] + c], high = low;
            for (size_t g : md2Source) {
                low = std::min(low, frames[f][3 * g + c]);
                high = std::max(high, frames[f][3 * g + c]);
            }
            if (!std::isfinite(high - low)) {
                error = "the model reaches too far for MD2's numbers at frame " + keys[f].name;
                return false;
            }
            frame.translate[c] = low;
            frame.scale[c] = (high - low) / 255.0f;
        }
        for (size_t g : md2Source) {
            std::array<uint8_t, 3> packed{};
            for (size_t c = 0; c < 3; ++c) {
                const float step = frame.scale[c];
                const long value =
                    step > 0 ? std::lround((frames[f][3 * g + c] - frame.translate[c]) / step) : 0;
                packed[c] = static_cast<uint8_t>(std::clamp(value, 0L, 255L));
            }
            frame.vertices.push_back(packed);
        }
        md2.frames.push_back(frame);
    }
    return true;
}
