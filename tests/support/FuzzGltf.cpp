// The glTF fuzz entry: a file read, decoded and baked by gltf2md2's own code, as the program does, and
// the MD2 model it makes read back by the engine's loader, which must take it.
#include "support/FuzzTargets.h"

#include "GltfReader.h"
#include "GltfUnpack.h"
#include "Gltf2Md2.h"
#include "support/GltfTube.h"

#include <tiny_gltf.h>

#include <cstdio>
#include <cstdlib>

namespace korvel::fuzz {

namespace {

bool Refuse(const std::string& error) {
    std::fprintf(stderr, "gltf2md2: fuzz.glb: %s\n", error.c_str());
    if (error.empty()) {
        std::fprintf(stderr, "fuzz: a glTF file refused without a reason\n");
        std::abort();
    }
    return false;
}

using Bytes = std::vector<uint8_t>;

// The file with one change to its JSON.
Bytes Edited(const Bytes& glb, void (*change)(nlohmann::json&)) {
    std::string text;
    Bytes binary;
    bool hasBinary = false;
    if (!SplitGlb(glb, text, binary, hasBinary)) {
        return {};
    }
    nlohmann::json root = nlohmann::json::parse(text, nullptr, false);
    change(root);
    return JoinGlb(root.dump(), binary);
}

} // namespace

bool FeedGltf(const uint8_t* data, size_t size) {
    tinygltf::Model model;
    std::string error;
    // External files are looked for in a folder that is not there: the input is all there is.
    if (!ReadGltfBytes(Bytes(data, data + size), "/nonexistent-korvel-fuzz", model, error)) {
        return Refuse(error);
    }
    Gltf2Md2Output output;
    if (!ConvertGltf(model, Md2BakeOptions(), "fuzz.md2", output, error)) {
        return Refuse(error);
    }
    const Bytes& written = output.md2;
    if (!FeedMD2(written.data(), written.size())) {
        std::fprintf(stderr, "fuzz: the engine refused the MD2 model gltf2md2 made\n");
        std::abort();
    }
    return true;
}

std::vector<Seed> GltfSeeds() {
    const Bytes plain = test::SkinnedTubeGlb();
    std::vector<Seed> seeds = {
        {"tube", plain, true},
        {"cut", Bytes(plain.begin(), plain.begin() + static_cast<long>(plain.size() / 2)), false},
        {"not-gltf", Bytes(40, 'x'), false},
        {"needs-basisu",
         Edited(plain, [](nlohmann::json& root) { root["extensionsRequired"] = {"KHR_texture_basisu"}; }),
         false},
        // Found by fuzzing: tinygltf handed the skin's bytes past the end of the buffer to the image
        // callback.
        {"image-past-its-buffer",
         Edited(plain,
                [](nlohmann::json& root) {
                    root["bufferViews"][root["images"][0]["bufferView"].get<size_t>()]["byteLength"] = 100000;
                }),
         false},
        // Found by fuzzing: key times read as whole numbers make an animation of 30 years, whose key
        // frame count overflowed an int before it was found too many.
        {"thirty-years",
         Edited(plain,
                [](nlohmann::json& root) {
                    root["accessors"][root["animations"][0]["samplers"][0]["input"].get<size_t>()]
                        ["componentType"] = 5125;
                }),
         false},
        // Positions replaced in part by a sparse list: the first corner's vertex takes the first
        // position again.
        {"sparse-positions",
         Edited(plain,
                [](nlohmann::json& root) {
                    const nlohmann::json& primitive = root["meshes"][0]["primitives"][0];
                    nlohmann::json& positions =
                        root["accessors"][primitive["attributes"]["POSITION"].get<size_t>()];
                    const nlohmann::json& indices = root["accessors"][primitive["indices"].get<size_t>()];
                    positions["sparse"] = {{"count", 1},
                                           {"indices",
                                            {{"bufferView", indices["bufferView"]},
                                             {"componentType", indices["componentType"]}}},
                                           {"values", {{"bufferView", positions["bufferView"]}}}};
                }),
         true},
    };
    const std::pair<const char*, test::GltfPacking> packings[] = {
        {"tube-quantized", test::GltfPacking::Quantized},
        {"tube-meshopt", test::GltfPacking::Meshopt},
        {"tube-draco", test::GltfPacking::Draco}};
    // The packers are test tools: without them those seeds are left out.
    for (const auto& [name, packing] : packings) {
        const Bytes packed = test::PackGlb(plain, packing);
        if (!packed.empty()) {
            seeds.push_back({name, packed, true});
            seeds.push_back({std::string(name) + "-cut", Bytes(packed.begin(), packed.end() - 200), false});
        }
    }
    return seeds;
}

} // namespace korvel::fuzz
