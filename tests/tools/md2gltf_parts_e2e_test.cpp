// md2gltf with parts: a body whose head and rifle ride its tags and whose linked twin plays its frames,
// checked by the Khronos validator, read back with tinygltf against the tag file, and, where Blender is
// installed, imported there and played through every action.
#include "models/MD2Loader.h"
#include "models/MD2Tags.h"
#include "support/Character.h"
#include "support/GltfValidator.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cstring>
#include <filesystem>

using namespace korvel::test;

namespace {

// Element i of a float accessor of `width` components.
std::vector<float> Element(const tinygltf::Model& model, int accessor, size_t i, size_t width) {
    const tinygltf::Accessor& a = model.accessors[static_cast<size_t>(accessor)];
    const tinygltf::BufferView& view = model.bufferViews[static_cast<size_t>(a.bufferView)];
    std::vector<float> values(width);
    std::memcpy(values.data(), model.buffers[0].data.data() + view.byteOffset + a.byteOffset + i * width * 4,
                width * 4);
    return values;
}

// The test character with its head and rifle on tags and a twin of its body (same frames, same skin)
// linked, as soldier.glb; `extra` goes before the output.
ToolRun Convert(const TempDir& dir, const std::string& extra = "") {
    WriteCharacter(dir.Path());
    EXPECT_TRUE(Md2Writer::Octahedron().Write(dir.File("twin.md2")));
    WriteFile(dir.File("twin.png"), ReadFile(dir.File("body.png")));
    return RunTool(
        dir, "md2gltf",
        ShellQuote(dir.File("body.md2")) + " --attach tag_head=" + ShellQuote(dir.File("head01.md2")) +
            " --attach tag_rweapon=" + ShellQuote(dir.File("rifle.md2")) + " --with " +
            ShellQuote(dir.File("twin.md2")) + extra + " -o " + ShellQuote(dir.File("soldier.glb")));
}

} // namespace

TEST(Md2gltfParts, HeadAndRifleRideTheTagsAndTheLinkedModelPlaysTheBodysFrames) {
    TempDir dir;
    const ToolRun run = Convert(dir);
    ASSERT_EQ(0, run.status) << run.err;

    const GltfReport report = ValidateGltf(dir.File("soldier.glb"));
    ASSERT_TRUE(report.ran) << report.text;
    EXPECT_EQ(0, report.errors) << report.text;
    EXPECT_EQ(0, report.warnings) << report.text;

    tinygltf::TinyGLTF reader;
    tinygltf::Model gltf;
    std::string error, warning;
    ASSERT_TRUE(reader.LoadBinaryFromFile(&gltf, &error, &warning, dir.File("soldier.glb"))) << error;
    ASSERT_EQ(4u, gltf.nodes.size());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), gltf.nodes[0].children);
    EXPECT_EQ("tag_head", gltf.nodes[1].name);
    EXPECT_EQ(4u, gltf.meshes.size());
    EXPECT_EQ(4u, gltf.images.size());

    CMD2Loader loader;
    ModelData body;
    ASSERT_TRUE(loader.Load(body, dir.File("body.md2").c_str(), nullptr));
    CMD2Tags tags;
    ASSERT_TRUE(tags.Read(dir.File("body.tag"), body.frameCount));
    const int head = tags.Find("tag_head");
    ASSERT_EQ(3u, gltf.animations.size());
    // stand, run and jump: each key of the head's translation is the tag's origin in that key frame,
    // in glTF's axes and metres; the linked twin's weights step through its targets as the body's do.
    const std::vector<std::vector<int>> keys = {{0, 1, 2, 0}, {3, 4, 5, 6, 3}, {7, 8, 7}};
    for (size_t a = 0; a < keys.size(); ++a) {
        const tinygltf::Animation& animation = gltf.animations[a];
        int translation = -1, body = -1, twin = -1;
        for (const tinygltf::AnimationChannel& channel : animation.channels) {
            const int output = animation.samplers[static_cast<size_t>(channel.sampler)].output;
            translation =
                channel.target_node == 1 && channel.target_path == "translation" ? output : translation;
            body = channel.target_node == 0 && channel.target_path == "weights" ? output : body;
            twin = channel.target_node == 3 && channel.target_path == "weights" ? output : twin;
        }
        ASSERT_GE(translation, 0) << animation.name;
        ASSERT_GE(twin, 0) << animation.name;
        for (size_t k = 0; k < keys[a].size(); ++k) {
            const Vec3 origin = tags.Get(head, keys[a][k]).origin;
            const std::vector<float> t = Element(gltf, translation, k, 3);
            EXPECT_NEAR(-origin.z * 0.03f, t[0], 1e-5) << animation.name << " key " << k;
            EXPECT_NEAR(origin.y * 0.03f, t[1], 1e-5) << animation.name << " key " << k;
            EXPECT_NEAR(origin.x * 0.03f, t[2], 1e-5) << animation.name << " key " << k;
            EXPECT_EQ(Element(gltf, body, k, 8), Element(gltf, twin, k, 8)) << animation.name << " key " << k;
        }
    }
}

TEST(Md2gltfParts, RefusesAMissingTagAndALinkedModelOfOtherFramesInOneLineWritingNothing) {
    TempDir dir;
    ToolRun run = Convert(dir, " --attach tag_hat=" + ShellQuote(dir.File("head02.md2")));
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("md2gltf: no tag 'tag_hat' on " + dir.File("body.md2") + " (its tags: tag_head, tag_rweapon)\n",
              run.err);
    run = Convert(dir, " --with " + ShellQuote(dir.File("head02.md2")));
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("md2gltf: " + dir.File("head02.md2") + " has 2 frames, but " + dir.File("body.md2") +
                  " has 9; it cannot play the model's frames\n",
              run.err);
    EXPECT_FALSE(std::filesystem::exists(dir.File("soldier.glb")));
}

// Blender imports the file and plays every action: the parts stay on the tags' vertices and keep
// their turn against the body (tests/support/blender-parts.py). CI has no Blender.
TEST(Md2gltfParts, BlenderPlaysThePartsTogetherInEveryAction) {
    if (RunCommand("command -v blender >/dev/null") != 0) {
        GTEST_SKIP() << "no blender installed";
    }
    TempDir dir;
    const ToolRun run = Convert(dir);
    ASSERT_EQ(0, run.status) << run.err;
    std::string output;
    const int status =
        RunCommand("blender -b --python " + ShellQuote(KORVEL_SOURCE_DIR "/tests/support/blender-parts.py") +
                       " -- " + ShellQuote(dir.File("soldier.glb")) + " tag_head tag_rweapon 2>&1",
                   &output);
    EXPECT_EQ(0, status) << output;
    EXPECT_NE(std::string::npos, output.find("\nparts: 3 actions, ok\n")) << output;
}
