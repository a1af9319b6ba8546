#include "support/GltfTube.h"

#include "graphics/PngWriter.h"
#include "support/GltfBuilder.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cmath>

namespace korvel::test {

namespace {

const int kSides = 8, kRings = 5;

} // namespace

std::vector<uint8_t> SkinnedTubeGlb() {
    GltfBuilder gltf;
    std::vector<float> xyz, uv, weights;
    std::vector<uint16_t> joints, corners;
    for (int ring = 0; ring < kRings; ++ring) {
        const float height = 0.2f * static_cast<float>(ring);
        const float radius = 0.1f - 0.01f * static_cast<float>(ring);
        const float tip = std::clamp((height - 0.2f) / 0.4f, 0.0f, 1.0f);
        // The seam's side is written twice, at u = 0 and u = 1.
        for (int side = 0; side <= kSides; ++side) {
            const float angle = 6.2831853f * static_cast<float>(side) / kSides;
            xyz.insert(xyz.end(), {radius * std::cos(angle), height, radius * std::sin(angle)});
            uv.insert(uv.end(), {static_cast<float>(side) / kSides, static_cast<float>(ring) / (kRings - 1)});
            joints.insert(joints.end(), {0, 1, 0, 0});
            weights.insert(weights.end(), {1.0f - tip, tip, 0.0f, 0.0f});
        }
    }
    for (int ring = 0; ring + 1 < kRings; ++ring) {
        for (int side = 0; side < kSides; ++side) {
            const auto at = [](int r, int s) { return static_cast<uint16_t>(r * (kSides + 1) + s); };
            corners.insert(corners.end(), {at(ring, side), at(ring + 1, side), at(ring + 1, side + 1),
                                           at(ring, side), at(ring + 1, side + 1), at(ring, side + 1)});
        }
    }
    tinygltf::Model& m = gltf.model;
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.material = 0;
    primitive.attributes = {{"POSITION", gltf.AddFloats(xyz, 3, true)},
                            {"TEXCOORD_0", gltf.AddFloats(uv, 2)},
                            {"JOINTS_0", gltf.AddShorts(joints, 4)},
                            {"WEIGHTS_0", gltf.AddFloats(weights, 4)}};
    primitive.indices = gltf.AddShorts(corners);
    m.meshes.emplace_back();
    m.meshes[0].primitives.push_back(primitive);

    std::vector<uint8_t> rgba, png;
    for (int i = 0; i < 64; ++i) {
        rgba.insert(rgba.end(),
                    {static_cast<uint8_t>(32 * (i % 8)), static_cast<uint8_t>(32 * (i / 8)), 90, 255});
    }
    CPngWriter::EncodeRGBA(8, 8, rgba, png);
    m.materials.emplace_back();
    m.materials[0].pbrMetallicRoughness.baseColorTexture.index = gltf.AddTexture(png);

    tinygltf::Node tube;
    tube.name = "tube";
    tube.mesh = 0;
    m.nodes.push_back(tube);
    const int skin = gltf.AddJointChain({"base", "tip"}, 0.4f);
    m.nodes[0].skin = skin;
    m.scenes.emplace_back();
    m.scenes[0].nodes = {0, 1};
    m.defaultScene = 0;

    // Rotations as quaternions (x, y, z, w): 0, 30 and 60 degrees about z.
    const float s15 = std::sin(0.2617994f), c15 = std::cos(0.2617994f);
    tinygltf::Animation curl;
    curl.name = "Curl";
    gltf.AddChannel(curl, 2, "rotation", {0.0f, 0.5f, 1.0f},
                    {0, 0, 0, 1, 0, 0, s15, c15, 0, 0, 0.5f, std::sqrt(0.75f)}, 4);
    gltf.AddChannel(curl, 1, "translation", {0.0f, 0.5f, 1.0f}, {0, 0, 0, 0.1f, 0, 0, 0.2f, 0, 0}, 3);
    m.animations = {curl};
    return gltf.Glb();
}

std::vector<uint8_t> PackGlb(const std::vector<uint8_t>& glb, GltfPacking packing) {
    TempDir dir;
    WriteFile(dir.File("in.glb"), glb);
    const std::string in = ShellQuote(dir.File("in.glb")), out = ShellQuote(dir.File("out.glb"));
    const std::string command = packing == GltfPacking::Draco     ? "draco_transcoder -i " + in + " -o " + out
                                : packing == GltfPacking::Meshopt ? "gltfpack -cc -i " + in + " -o " + out
                                                                  : "gltfpack -i " + in + " -o " + out;
    std::string said;
    if (RunCommand(command + " 2>&1", &said) != 0) {
        return {};
    }
    return ReadFile(dir.File("out.glb"));
}

} // namespace korvel::test
