// gltf2md2 on glTF files as they are shared: quantized by gltfpack, compressed with meshoptimizer or
// Draco. Each bakes into the frames the plain file bakes into; damaged compressed data and unknown
// required extensions are refused in one line with no file left behind.
#include "GltfUnpack.h"
#include "models/MD2Loader.h"
#include "support/GltfTube.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>

using namespace korvel::test;
using nlohmann::json;

namespace {

// A triangle's corners in every frame, in the loaded model's order.
using Corners = std::vector<std::array<Vec3, 3>>;

std::vector<Corners> Triangles(const ModelData& md2) {
    std::vector<Corners> triangles;
    for (int i = 0; i < md2.frames[0].triangleCount; ++i) {
        Corners corners;
        for (const FrameMesh& frame : md2.frames) {
            const Triangle& t = md2.frames[0].triangles[i];
            corners.push_back({frame.positions[t.vertexIndex[0]], frame.positions[t.vertexIndex[1]],
                               frame.positions[t.vertexIndex[2]]});
        }
        triangles.push_back(corners);
    }
    return triangles;
}

// How far apart two triangles stand, in packing steps: the largest distance on any axis in any
// frame over that frame's step, with b's corners started at `turn` (the winding kept).
float Apart(const Corners& a, const Corners& b, int turn, const std::vector<Vec3>& steps) {
    float worst = 0;
    for (size_t f = 0; f < a.size(); ++f) {
        for (int j = 0; j < 3; ++j) {
            const Vec3 d = a[f][j] - b[f][(j + turn) % 3];
            worst = std::max({worst, std::fabs(d.x) / steps[f].x, std::fabs(d.y) / steps[f].y,
                              std::fabs(d.z) / steps[f].z});
        }
    }
    return worst;
}

// Converts `glb` and loads the result; false when either fails.
bool Bake(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& glb, ModelData& md2) {
    WriteFile(dir.File(name + ".glb"), glb);
    const ToolRun run = RunTool(dir, "gltf2md2",
                                "--fps 4 " + ShellQuote(dir.File(name + ".glb")) + " -o " +
                                    ShellQuote(dir.File(name + ".md2")));
    EXPECT_EQ(0, run.status) << name << ": " << run.err;
    CMD2Loader loader;
    return run.status == 0 && loader.Load(md2, dir.File(name + ".md2").c_str(), nullptr);
}

const std::vector<std::pair<const char*, GltfPacking>> kPackings = {
    {"quantized", GltfPacking::Quantized}, {"meshopt", GltfPacking::Meshopt}, {"draco", GltfPacking::Draco}};

} // namespace

TEST(Gltf2md2Packed, QuantizedMeshoptAndDracoFilesBakeThePlainFilesFrames) {
    TempDir dir;
    const std::vector<uint8_t> plain = SkinnedTubeGlb();
    ModelData expected;
    ASSERT_TRUE(Bake(dir, "plain", plain, expected));
    ASSERT_EQ(4, expected.frameCount);
    const std::vector<Corners> want = Triangles(expected);
    // One packing step of each frame (its extent over 255 on each axis), and the packer's own
    // rounding on top: Draco keeps 11 bits of the model's size, gltfpack 14.
    std::vector<Vec3> steps;
    for (const FrameMesh& frame : expected.frames) {
        Vec3 low = frame.positions[0], high = frame.positions[0];
        for (int v = 0; v < frame.vertexCount; ++v) {
            const Vec3& p = frame.positions[v];
            low = Vec3(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
            high = Vec3(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
        }
        const Vec3 size = high - low;
        const float rounding = std::max({size.x, size.y, size.z}) / 1000;
        steps.push_back(Vec3(size.x / 255 + rounding, size.y / 255 + rounding, size.z / 255 + rounding));
    }
    for (const auto& [name, packing] : kPackings) {
        const std::vector<uint8_t> packed = PackGlb(plain, packing);
        ASSERT_FALSE(packed.empty()) << name << ": the packer is missing or failed";
        std::printf("%s: %zu bytes (plain %zu)\n", name, packed.size(), plain.size());
        ModelData md2;
        ASSERT_TRUE(Bake(dir, name, packed, md2)) << name;
        ASSERT_EQ(expected.frameCount, md2.frameCount) << name;
        const std::vector<Corners> got = Triangles(md2);
        ASSERT_EQ(want.size(), got.size()) << name;
        // Packers reorder vertices and triangles: each triangle is matched with the nearest one.
        for (size_t i = 0; i < want.size(); ++i) {
            float nearest = 1e9f;
            for (const Corners& candidate : got) {
                for (int turn = 0; turn < 3; ++turn) {
                    nearest = std::min(nearest, Apart(want[i], candidate, turn, steps));
                }
            }
            EXPECT_LE(nearest, 1.0f) << name << ": triangle " << i;
        }
    }
}

TEST(Gltf2md2Packed, RefusesDamagedCompressedDataInOneLineLeavingNoFile) {
    const std::vector<uint8_t> plain = SkinnedTubeGlb();
    const std::vector<uint8_t> meshopt = PackGlb(plain, GltfPacking::Meshopt);
    const std::vector<uint8_t> draco = PackGlb(plain, GltfPacking::Draco);
    ASSERT_FALSE(meshopt.empty() || draco.empty());
    // The first view gltfpack compressed, and the first Draco primitive's view.
    const auto compressed = [](json& root) -> json& {
        for (json& view : root["bufferViews"]) {
            if (view.contains("extensions")) {
                return view["extensions"]["EXT_meshopt_compression"];
            }
        }
        return root["bufferViews"][0];
    };
    const auto dracoView = [](json& root) -> json& {
        const size_t view =
            root["meshes"][0]["primitives"][0]["extensions"]["KHR_draco_mesh_compression"]["bufferView"];
        return root["bufferViews"][view];
    };
    struct Case {
        const char* what;
        const std::vector<uint8_t>& file;
        std::function<void(json&, std::vector<uint8_t>&)> change;
        const char* says;
    };
    const std::vector<Case> cases = {
        {"meshopt data cut short", meshopt,
         [&](json& root, std::vector<uint8_t>&) { compressed(root)["byteLength"] = 3; }, "does not decode"},
        {"meshopt data garbled", meshopt,
         [&](json& root, std::vector<uint8_t>& bin) {
             std::fill_n(bin.begin() + compressed(root).value("byteOffset", 0), 8, 0xFF);
         },
         "does not decode"},
        {"meshopt view past its buffer", meshopt,
         [&](json& root, std::vector<uint8_t>&) { compressed(root)["byteOffset"] = 1 << 30; },
         "past the end of its buffer"},
        {"meshopt stride", meshopt,
         [&](json& root, std::vector<uint8_t>&) { compressed(root)["byteStride"] = 6; }, "stride of 6"},
        {"meshopt count over any limit", meshopt,
         [&](json& root, std::vector<uint8_t>&) { compressed(root)["count"] = 1ull << 40; }, "count"},
        {"meshopt count over what its bytes hold", meshopt,
         [&](json& root, std::vector<uint8_t>&) { compressed(root)["count"] = 30000000; }, "claims"},
        {"Draco stream of garbage", draco,
         [&](json& root, std::vector<uint8_t>& bin) {
             json& view = dracoView(root);
             std::fill_n(bin.begin() + view.value("byteOffset", 0), view["byteLength"].get<size_t>(), 0x5A);
         },
         "Draco data does not decode"},
        {"Draco stream cut short", draco,
         [&](json& root, std::vector<uint8_t>&) { dracoView(root)["byteLength"] = 20; }, "does not decode"},
        {"Draco attribute missing", draco,
         [](json& root, std::vector<uint8_t>&) {
             root["meshes"][0]["primitives"][0]["extensions"]["KHR_draco_mesh_compression"]["attributes"]
                 ["POSITION"] = 77;
         },
         "POSITION"},
        {"unknown required extension", draco,
         [](json& root, std::vector<uint8_t>&) {
             root["extensionsRequired"].push_back("KHR_texture_basisu");
         },
         "needs KHR_texture_basisu, which gltf2md2 does not read"},
    };
    for (const Case& test : cases) {
        TempDir dir;
        std::string text;
        std::vector<uint8_t> bin;
        bool hasBin = false;
        ASSERT_TRUE(SplitGlb(test.file, text, bin, hasBin));
        json root = json::parse(text);
        test.change(root, bin);
        WriteFile(dir.File("in.glb"), JoinGlb(root.dump(), bin));
        const ToolRun run = RunTool(
            dir, "gltf2md2", ShellQuote(dir.File("in.glb")) + " -o " + ShellQuote(dir.File("out.md2")));
        EXPECT_EQ(1, run.status) << test.what;
        EXPECT_EQ(0u, run.err.find("gltf2md2: " + dir.File("in.glb") + ": ")) << test.what << ": " << run.err;
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << test.what << ": " << run.err;
        EXPECT_NE(std::string::npos, run.err.find(test.says)) << test.what << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.md2")) ||
                     std::filesystem::exists(dir.File("out.png")))
            << test.what;
    }
}
