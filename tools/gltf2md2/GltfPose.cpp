#include "GltfPose.h"

#include "GltfAccessor.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>

namespace {

const char* const kPaths[] = {"translation", "rotation", "scale", "weights"};
const int kRotation = 1, kWeights = 3;
const int kStep = 0, kLinear = 1, kCubic = 2;

// The matrix of translation t, rotation q (x, y, z, w) and scale s, applied scale first.
Mat4 Compose(const double* t, const double* q, const double* s) {
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    return {(1 - 2 * (y * y + z * z)) * s[0],
            2 * (x * y + z * w) * s[0],
            2 * (x * z - y * w) * s[0],
            0,
            2 * (x * y - z * w) * s[1],
            (1 - 2 * (x * x + z * z)) * s[1],
            2 * (y * z + x * w) * s[1],
            0,
            2 * (x * z + y * w) * s[2],
            2 * (y * z - x * w) * s[2],
            (1 - 2 * (x * x + y * y)) * s[2],
            0,
            t[0],
            t[1],
            t[2],
            1};
}

void Normalize(double* q) {
    const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (int i = 0; length > 0 && i < 4; ++i) {
        q[i] /= length;
    }
}

// The rotation a fraction u of the way from a to b along the shorter arc.
void Slerp(const double* a, const double* b, double u, double* out) {
    double d = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    const double sign = d < 0 ? -1.0 : 1.0;
    d = std::fabs(d);
    double wa = 1 - u, wb = u;
    // Nearly equal rotations: the straight blend is exact enough and does not divide by ~0.
    if (d < 0.9995) {
        const double angle = std::acos(d);
        wa = std::sin((1 - u) * angle) / std::sin(angle);
        wb = std::sin(u * angle) / std::sin(angle);
    }
    for (int i = 0; i < 4; ++i) {
        out[i] = wa * a[i] + sign * wb * b[i];
    }
    Normalize(out);
}

} // namespace

Mat4 Identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Mat4 Multiply(const Mat4& a, const Mat4& b) {
    Mat4 m{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += a[static_cast<size_t>(k * 4 + row)] * b[static_cast<size_t>(column * 4 + k)];
            }
            m[static_cast<size_t>(column * 4 + row)] = sum;
        }
    }
    return m;
}

std::array<double, 3> Transform(const Mat4& m, const std::array<double, 3>& p) {
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12], m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

CGltfPose::CGltfPose(const tinygltf::Model& model) : model(model) {}

bool CGltfPose::Prepare(std::string& error) {
    const size_t count = model.nodes.size();
    const auto validNode = [count](int n) { return n >= 0 && static_cast<size_t>(n) < count; };
    parent.assign(count, -1);
    for (size_t n = 0; n < count; ++n) {
        for (int child : model.nodes[n].children) {
            if (!validNode(child) || parent[static_cast<size_t>(child)] != -1 ||
                child == static_cast<int>(n)) {
                error = "node " + std::to_string(n) + " has a child that is no node or already has a parent";
                return false;
            }
            parent[static_cast<size_t>(child)] = static_cast<int>(n);
        }
    }
    std::vector<int> parentless;
    for (size_t n = 0; n < count; ++n) {
        if (parent[n] == -1) {
            parentless.push_back(static_cast<int>(n));
        }
    }
    // Parents come before their children in this order, so one pass places every node. With one
    // parent each, a node that no parentless node leads to lies on a cycle.
    order = parentless;
    for (size_t i = 0; i < order.size(); ++i) {
        for (int child : model.nodes[static_cast<size_t>(order[i])].children) {
            order.push_back(child);
        }
    }
    if (order.size() != count) {
        error = "the nodes' children form a cycle";
        return false;
    }

    roots.clear();
    if (model.scenes.empty()) {
        roots = parentless;
    } else {
        const int scene = model.defaultScene >= 0 ? model.defaultScene : 0;
        if (static_cast<size_t>(scene) >= model.scenes.size()) {
            error = "the default scene does not exist";
            return false;
        }
        for (int n : model.scenes[static_cast<size_t>(scene)].nodes) {
            if (!validNode(n)) {
                error = "the scene names a node that does not exist";
                return false;
            }
            roots.push_back(n);
        }
    }

    channels.assign(model.animations.size(), {});
    for (size_t a = 0; a < model.animations.size(); ++a) {
        for (size_t c = 0; c < model.animations[a].channels.size(); ++c) {
            if (!PrepareChannel(static_cast<int>(a), static_cast<int>(c), error)) {
                return false;
            }
        }
    }
    world.assign(count, Identity());
    weights.assign(count, {});
    trs.assign(count, {});
    return true;
}

bool CGltfPose::PrepareChannel(int a, int c, std::string& error) {
    const tinygltf::Animation& animation = model.animations[static_cast<size_t>(a)];
    const tinygltf::AnimationChannel& source = animation.channels[static_cast<size_t>(c)];
    const std::string which = "animation " + std::to_string(a) + " channel " + std::to_string(c);
    Channel channel;
    channel.node = source.target_node;
    channel.path = -1;
    for (int p = 0; p < 4; ++p) {
        channel.path = source.target_path == kPaths[p] ? p : channel.path;
    }
    if (channel.path < 0) {
        error = which + " animates '" + source.target_path + "', which is not supported";
        return false;
    }
    if (channel.node < 0 || static_cast<size_t>(channel.node) >= model.nodes.size() || source.sampler < 0 ||
        static_cast<size_t>(source.sampler) >= animation.samplers.size()) {
        error = which + " names a node or sampler that does not exist";
        return false;
    }
    const tinygltf::AnimationSampler& sampler = animation.samplers[static_cast<size_t>(source.sampler)];
    channel.interpolation = sampler.interpolation == "STEP"          ? kStep
                            : sampler.interpolation == "CUBICSPLINE" ? kCubic
                                                                     : kLinear;
    if (!ReadAccessor(model, sampler.input, 1, channel.times, error)) {
        error = which + ": " + error;
        return false;
    }
    const tinygltf::Node& node = model.nodes[static_cast<size_t>(channel.node)];
    size_t width = channel.path == kRotation ? 4 : 3;
    if (channel.path == kWeights) {
        width = 0;
        if (node.mesh >= 0 && static_cast<size_t>(node.mesh) < model.meshes.size() &&
            !model.meshes[static_cast<size_t>(node.mesh)].primitives.empty()) {
            width = model.meshes[static_cast<size_t>(node.mesh)].primitives[0].targets.size();
        }
    }
    const size_t keys = channel.times.size();
    const size_t parts = channel.interpolation == kCubic ? 3 : 1;
    if (!ReadAccessor(model, sampler.output, channel.path == kWeights ? 1 : static_cast<int>(width),
                      channel.values, error)) {
        error = which + ": " + error;
        return false;
    }
    if (keys == 0 || width == 0 || channel.values.size() != keys * parts * width) {
        error = which + " has " + std::to_string(keys) + " keys but " +
                std::to_string(channel.values.size()) + " values for " + std::to_string(width) +
                " numbers a key";
        return false;
    }
    if (!std::is_sorted(channel.times.begin(), channel.times.end())) {
        error = which + "'s key times do not rise";
        return false;
    }
    channel.width = width;
    channels[static_cast<size_t>(a)].push_back(std::move(channel));
    return true;
}

double CGltfPose::StartTime(int animation) const {
    const std::vector<Channel>& list = channels[static_cast<size_t>(animation)];
    double start = list.empty() ? 0 : list[0].times.front();
    for (const Channel& channel : list) {
        start = std::min(start, channel.times.front());
    }
    return start;
}

double CGltfPose::EndTime(int animation) const {
    double end = StartTime(animation);
    for (const Channel& channel : channels[static_cast<size_t>(animation)]) {
        end = std::max(end, channel.times.back());
    }
    return end;
}

void CGltfPose::Sample(const Channel& channel, double t, double* out) {
    const std::vector<double>& times = channel.times;
    const size_t width = channel.width;
    const size_t parts = channel.interpolation == kCubic ? 3 : 1;
    // A cubic key holds in-tangent, value, out-tangent; the value is the middle part.
    const auto value = [&](size_t key) {
        return &channel.values[(key * parts + (parts == 3 ? 1 : 0)) * width];
    };
    const size_t next = static_cast<size_t>(std::upper_bound(times.begin(), times.end(), t) - times.begin());
    if (next == 0 || next == times.size() || channel.interpolation == kStep) {
        const double* v = value(next == 0 ? 0 : next - 1);
        std::copy(v, v + width, out);
        return;
    }
    const size_t key = next - 1;
    const double span = times[next] - times[key];
    const double u = span > 0 ? (t - times[key]) / span : 0;
    const double* a = value(key);
    const double* b = value(next);
    if (channel.interpolation == kCubic) {
        const double* leaving = &channel.values[(key * 3 + 2) * width];
        const double* arriving = &channel.values[(next * 3) * width];
        const double u2 = u * u, u3 = u2 * u;
        for (size_t i = 0; i < width; ++i) {
            out[i] = (2 * u3 - 3 * u2 + 1) * a[i] + (u3 - 2 * u2 + u) * span * leaving[i] +
                     (-2 * u3 + 3 * u2) * b[i] + (u3 - u2) * span * arriving[i];
        }
        if (channel.path == kRotation) {
            Normalize(out);
        }
    } else if (channel.path == kRotation) {
        Slerp(a, b, u, out);
    } else {
        for (size_t i = 0; i < width; ++i) {
            out[i] = a[i] + u * (b[i] - a[i]);
        }
    }
}

void CGltfPose::Evaluate(int animation, double time) {
    for (size_t n = 0; n < model.nodes.size(); ++n) {
        const tinygltf::Node& node = model.nodes[n];
        std::array<double, 10>& pose = trs[n];
        pose = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1};
        for (size_t i = 0; i < 3 && node.translation.size() == 3; ++i) {
            pose[i] = node.translation[i];
        }
        for (size_t i = 0; i < 4 && node.rotation.size() == 4; ++i) {
            pose[3 + i] = node.rotation[i];
        }
        for (size_t i = 0; i < 3 && node.scale.size() == 3; ++i) {
            pose[7 + i] = node.scale[i];
        }
        weights[n] = node.weights;
    }
    if (animation >= 0) {
        for (const Channel& channel : channels[static_cast<size_t>(animation)]) {
            const auto n = static_cast<size_t>(channel.node);
            if (channel.path == kWeights) {
                weights[n].assign(channel.width, 0.0);
                Sample(channel, time, weights[n].data());
            } else {
                Sample(channel, time, &trs[n][channel.path == 0 ? 0 : channel.path == kRotation ? 3 : 7]);
            }
        }
    }
    for (int n : order) {
        const tinygltf::Node& node = model.nodes[static_cast<size_t>(n)];
        const std::array<double, 10>& pose = trs[static_cast<size_t>(n)];
        Mat4 local;
        if (node.matrix.size() == 16) {
            std::copy(node.matrix.begin(), node.matrix.end(), local.begin());
        } else {
            double rotation[4] = {pose[3], pose[4], pose[5], pose[6]};
            Normalize(rotation);
            local = Compose(&pose[0], rotation, &pose[7]);
        }
        const int above = parent[static_cast<size_t>(n)];
        world[static_cast<size_t>(n)] =
            above < 0 ? local : Multiply(world[static_cast<size_t>(above)], local);
    }
}
