// The glTF scene's node tree posed at a moment of one of its animations: every node's world matrix
// and morph weights, found from its translation, rotation and scale (or matrix) with the animation's
// channels sampled as glTF defines (STEP, LINEAR with spherical blending of rotations, CUBICSPLINE).
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tinygltf {
class Model;
}

// A 4 x 4 matrix as glTF stores it: columns one after the other.
using Mat4 = std::array<double, 16>;

Mat4 Identity();
Mat4 Multiply(const Mat4& a, const Mat4& b);
// The point p moved by m (its w taken as 1).
std::array<double, 3> Transform(const Mat4& m, const std::array<double, 3>& p);

class CGltfPose {
public:
    explicit CGltfPose(const tinygltf::Model& model);

    // Reads the node tree and every animation's samplers; false, with the reason in `error`, for a
    // node named twice as a child, a cycle, or a channel or sampler that does not fit its target.
    bool Prepare(std::string& error);
    // The nodes the default scene draws (every node that is no node's child when there is no scene).
    const std::vector<int>& SceneRoots() const { return roots; }
    // When animation a's keys begin and end (both 0 for an animation without keys).
    double StartTime(int animation) const;
    double EndTime(int animation) const;
    // Poses every node at `time` seconds of animation a (or, with a = -1, as the nodes stand).
    void Evaluate(int animation, double time);
    // After Evaluate: the node's matrix in the scene, and its morph weights (empty for the mesh's own).
    const Mat4& World(int node) const { return world[static_cast<size_t>(node)]; }
    const std::vector<double>& Weights(int node) const { return weights[static_cast<size_t>(node)]; }

private:
    struct Channel {
        int node;
        int path;          // 0 translation, 1 rotation, 2 scale, 3 weights
        int interpolation; // 0 STEP, 1 LINEAR, 2 CUBICSPLINE
        std::vector<double> times;
        std::vector<double> values;
        size_t width; // values per key (per key part for CUBICSPLINE)
    };

    bool PrepareChannel(int animation, int index, std::string& error);
    // The channel's value at time t into out (width values).
    static void Sample(const Channel& channel, double t, double* out);

    const tinygltf::Model& model;
    std::vector<int> roots;
    std::vector<int> parent;
    std::vector<int> order;
    std::vector<std::vector<Channel>> channels;
    std::vector<Mat4> world;
    std::vector<std::vector<double>> weights;
    // Per node: translation, rotation (x, y, z, w) and scale, as posed.
    std::vector<std::array<double, 10>> trs;
};
