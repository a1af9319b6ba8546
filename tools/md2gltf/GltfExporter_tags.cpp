// Parts on tags: a tag's transform as the translation and rotation of the part's node, in glTF's axes
// and units, key frame by key frame. glTF turns a node by a unit quaternion, so the tag's axes are made
// unit and square to each other first, as the engine does between key frames.
#include "GltfExporter.h"

#include <tiny_gltf.h>

#include <cmath>

namespace {

// The rotation of the 3x3 matrix m (rows of columns x, y, z) as a unit quaternion (x, y, z, w), from
// whichever of w, x, y, z is largest, so that nothing is divided by a number near 0.
void Quaternion(const double m[3][3], double q[4]) {
    const double trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0) {
        const double s = 2.0 * std::sqrt(1.0 + trace);
        q[3] = s / 4.0;
        q[0] = (m[2][1] - m[1][2]) / s;
        q[1] = (m[0][2] - m[2][0]) / s;
        q[2] = (m[1][0] - m[0][1]) / s;
        return;
    }
    int i = 0;
    i = m[1][1] > m[i][i] ? 1 : i;
    i = m[2][2] > m[i][i] ? 2 : i;
    const int j = (i + 1) % 3, k = (i + 2) % 3;
    const double s = 2.0 * std::sqrt(1.0 + m[i][i] - m[j][j] - m[k][k]);
    q[i] = s / 4.0;
    q[j] = (m[j][i] + m[i][j]) / s;
    q[k] = (m[k][i] + m[i][k]) / s;
    q[3] = (m[k][j] - m[j][k]) / s;
}

} // namespace

void CGltfExporter::TagToNode(const MD2TagTransform& tag, double translation[3], double rotation[4]) const {
    float origin[3];
    ToGltf(tag.origin, options.scale, origin);
    for (int c = 0; c < 3; ++c) {
        translation[c] = origin[c];
    }
    // x along the tag's x axis, y the part of its y axis across x, z square to both (a mirrored tag
    // cannot be a rotation: it loses its mirroring).
    const Vec3 x = Length(tag.axis[0]) > 0.0f ? tag.axis[0] / Length(tag.axis[0]) : Vec3(1.0f, 0.0f, 0.0f);
    Vec3 y = tag.axis[1] - x * Dot(tag.axis[1], x);
    y = Length(y) > 1e-6f ? y / Length(y) : Cross(Vec3(0.0f, 0.0f, 1.0f), x);
    y = Length(y) > 1e-6f ? y / Length(y) : Vec3(0.0f, 1.0f, 0.0f);
    const MD2TagTransform square{{x, y, Cross(x, y)}, Vec3()};
    // glTF's x, y and z axes are the loader's -z, y and x: column c is where the tag sends glTF's
    // axis c, turned into glTF's axes.
    const Vec3 gltfAxes[3] = {Vec3(0.0f, 0.0f, -1.0f), Vec3(0.0f, 1.0f, 0.0f), Vec3(1.0f, 0.0f, 0.0f)};
    double m[3][3];
    for (int c = 0; c < 3; ++c) {
        float column[3];
        ToGltf(square.Apply(gltfAxes[c]), 1.0f, column);
        for (int r = 0; r < 3; ++r) {
            m[r][c] = column[r];
        }
    }
    Quaternion(m, rotation);
    const double length = std::sqrt(rotation[0] * rotation[0] + rotation[1] * rotation[1] +
                                    rotation[2] * rotation[2] + rotation[3] * rotation[3]);
    for (int c = 0; c < 4; ++c) {
        rotation[c] /= length;
    }
}

void CGltfExporter::AddTagChannels(tinygltf::Animation& animation, int input, int node, const CMD2Tags& tags,
                                   int tag, const std::vector<int>& keys) {
    std::vector<float> translations, rotations;
    double previous[4] = {0.0, 0.0, 0.0, 1.0};
    for (int frame : keys) {
        double t[3], q[4];
        TagToNode(tags.Get(tag, frame), t, q);
        // q and -q are the same turn; the one nearer the previous key keeps the blend on the short way.
        const double sign =
            q[0] * previous[0] + q[1] * previous[1] + q[2] * previous[2] + q[3] * previous[3] < 0.0 ? -1.0
                                                                                                    : 1.0;
        for (int c = 0; c < 4; ++c) {
            previous[c] = sign * q[c];
            rotations.push_back(static_cast<float>(previous[c]));
        }
        translations.insert(translations.end(),
                            {static_cast<float>(t[0]), static_cast<float>(t[1]), static_cast<float>(t[2])});
    }
    const auto add = [&](const std::vector<float>& values, int type, const char* path) {
        const size_t size = values.size() * sizeof(float);
        tinygltf::AnimationSampler sampler;
        sampler.input = input;
        sampler.output = AddAccessor(AddView(Append(values.data(), size), size, 0, 0), 0,
                                     TINYGLTF_COMPONENT_TYPE_FLOAT, type, keys.size());
        sampler.interpolation = "LINEAR";
        tinygltf::AnimationChannel channel;
        channel.sampler = static_cast<int>(animation.samplers.size());
        channel.target_node = node;
        channel.target_path = path;
        animation.samplers.push_back(sampler);
        animation.channels.push_back(channel);
    };
    add(translations, TINYGLTF_TYPE_VEC3, "translation");
    add(rotations, TINYGLTF_TYPE_VEC4, "rotation");
}
