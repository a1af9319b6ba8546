// gltf2md2 on models shaped as people bring them, converted by the real program and looked at in
// md2viewer: a box whose texture repeats six times, a figure of three materials, and an animation made
// at 24 frames a second that plays in its own time.
#include "support/GltfBuilder.h"
#include "support/TestSupport.h"
#include "support/XSession.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

using namespace korvel::test;

namespace {

ToolRun Convert(const TempDir& dir, const GltfBuilder& gltf, const std::string& options = "") {
    WriteFile(dir.File("in.glb"), gltf.Glb());
    return RunTool(dir, "gltf2md2",
                   options + ShellQuote(dir.File("in.glb")) + " -o " + ShellQuote(dir.File("out.md2")));
}

// The viewer's picture of the converted model.
std::string ViewerShot(const TempDir& dir, const std::vector<std::string>& options = {}) {
    VirtualDisplay display;
    EXPECT_TRUE(display.Ok());
    const std::string start = UserFolder(dir.Path()), shot = dir.File("shot.png");
    std::vector<std::string> args = {"--screenshot", shot};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(dir.File("out.md2"));
    ProgramRun viewer(display, std::string(KORVEL_BIN_DIR) + "/md2viewer", args, start);
    EXPECT_EQ(viewer.Wait(60.0), 0) << viewer.Stderr();
    return shot;
}

// The longest run of alternations between red and blue along any row of a picture.
int MostStripes(const std::string& png) {
    std::string text;
    RunCommand("convert " + ShellQuote(png) +
                   " -depth 8 txt:- | sed -n 's/^\\([0-9]*\\),\\([0-9]*\\): "
                   "(\\([0-9]*\\),\\([0-9]*\\),\\([0-9]*\\).*/\\2 \\3 \\4 \\5/p'",
               &text);
    std::istringstream in(text);
    int row, r, g, b, current = -1, most = 0, stripes = 0;
    char last = 0;
    while (in >> row >> r >> g >> b) {
        if (row != current) {
            current = row;
            stripes = 0;
            last = 0;
        }
        const char kind = IsRed(r, g, b) ? 'r' : IsBlue(r, g, b) ? 'b' : 0;
        if (kind && kind != last) {
            most = std::max(most, ++stripes);
            last = kind;
        }
    }
    return most;
}

} // namespace

TEST(Gltf2md2Models, ABoxWhoseTextureRepeatsSixTimesDrawsTheSixRepeats) {
    GltfBuilder gltf;
    gltf.AddBox(0, 0.5f, 0, 1, 6, gltf.AddTwoColourMaterial({{220, 20, 20}}, {{20, 20, 220}}));
    TempDir dir;
    const ToolRun run = Convert(dir, gltf);
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);
    // Six repeats are six red and six blue stripes across a face.
    EXPECT_GE(MostStripes(ViewerShot(dir)), 12);

    // The same box as a .gltf whose skin is a JPEG file of its own, its name escaped as a URI, both
    // inside a zip: the skin is found beside the file inside the archive.
    tinygltf::Image& image = gltf.model.images[0];
    image.bufferView = -1;
    image.mimeType.clear();
    image.uri = "box%20skin.jpg";
    std::ostringstream json;
    ASSERT_TRUE(tinygltf::TinyGLTF().WriteGltfSceneToStream(&gltf.model, json, false, false));
    WriteText(dir.File("zipped/box.gltf"), json.str());
    // Moved without its skin, the box is refused with the file's name.
    const ToolRun alone =
        RunTool(dir, "gltf2md2",
                ShellQuote(dir.File("zipped/box.gltf")) + " -o " + ShellQuote(dir.File("alone.md2")));
    EXPECT_EQ(1, alone.status);
    EXPECT_NE(std::string::npos, alone.err.find("is a file not found: box skin.jpg")) << alone.err;
    ASSERT_EQ(
        0, RunCommand("cd " + ShellQuote(dir.File("zipped")) +
                      " && convert -size 8x8 xc:'#dc1414' -size 8x8 xc:'#1414dc' +append 'box skin.jpg' && "
                      "zip -q ../box.pk3 box.gltf 'box skin.jpg'"));
    const ToolRun zipped =
        RunTool(dir, "gltf2md2",
                ShellQuote(dir.File("box.pk3") + ":box.gltf") + " -o " + ShellQuote(dir.File("zip.md2")));
    ASSERT_EQ(0, zipped.status) << zipped.err;
    EXPECT_NE(std::string::npos, zipped.out.find("zip.png 16x8")) << zipped.out;
}

TEST(Gltf2md2Models, AFigureOfThreeMaterialsShowsEachInItsOwnColours) {
    GltfBuilder gltf;
    tinygltf::Model& m = gltf.model;
    // A red-and-blue textured box, a plain green one, and a box whose white texture is tinted red
    // by its colour factor.
    gltf.AddBox(-1.2f, 0.5f, 0, 1, 1, gltf.AddTwoColourMaterial({{220, 20, 20}}, {{20, 20, 220}}));
    m.materials.emplace_back();
    m.materials.back().pbrMetallicRoughness.baseColorFactor = {0.1, 0.9, 0.1, 1};
    gltf.AddBox(0, 0.5f, 0, 1, 1, static_cast<int>(m.materials.size()) - 1);
    const int tinted = gltf.AddTwoColourMaterial({{255, 255, 255}}, {{255, 255, 255}});
    m.materials[static_cast<size_t>(tinted)].pbrMetallicRoughness.baseColorFactor = {0.9, 0.1, 0.1, 1};
    gltf.AddBox(1.2f, 0.5f, 0, 1, 1, tinted);
    TempDir dir;
    const ToolRun run = Convert(dir, gltf);
    ASSERT_EQ(0, run.status) << run.err;
    const std::string shot = ViewerShot(dir);
    const PixelArea red = FindPixels(shot, IsRed), green = FindPixels(shot, IsGreen),
                    blue = FindPixels(shot, IsBlue);
    ASSERT_GT(green.pixels, 500);
    ASSERT_GT(blue.pixels, 500);
    ASSERT_GT(red.pixels, 1000);
    // Left to right as they stand: the textured box's blue, the green box, the tinted box's red.
    EXPECT_LT(blue.left, green.left);
    EXPECT_GT(red.right, green.right);
}

TEST(Gltf2md2Models, AnAnimationMadeAt24FramesASecondPlaysInItsOwnTime) {
    // A box rising 1 m over 2 s, keyed 24 times a second, in Blender's names: two actions that
    // clean to the same name stay apart.
    GltfBuilder gltf;
    gltf.AddBox(0, 0.5f, 0, 1, 1, gltf.AddTwoColourMaterial({{220, 20, 20}}, {{20, 20, 220}}));
    std::vector<float> times, lift;
    for (int k = 0; k <= 48; ++k) {
        times.push_back(static_cast<float>(k) / 24);
        lift.insert(lift.end(), {0, static_cast<float>(k) / 48, 0});
    }
    for (const char* name : {"Box|Lift Up", "Box|Lift.Up"}) {
        tinygltf::Animation animation;
        animation.name = name;
        tinygltf::AnimationSampler sampler;
        sampler.input = gltf.AddFloats(times, 1, true);
        sampler.output = gltf.AddFloats(lift, 3);
        sampler.interpolation = "LINEAR";
        animation.samplers.push_back(sampler);
        tinygltf::AnimationChannel channel;
        channel.sampler = 0;
        channel.target_node = 0;
        channel.target_path = "translation";
        animation.channels.push_back(channel);
        gltf.model.animations.push_back(animation);
    }
    TempDir dir;
    const ToolRun run = Convert(dir, gltf);
    ASSERT_EQ(0, run.status) << run.err;
    const ToolRun info = RunTool(dir, "md2info", ShellQuote(dir.File("out.md2")));
    ASSERT_EQ(0, info.status) << info.err;
    // md2info lists each animation's first and last key frame and its rate: 2 s each.
    for (const char* name : {"Lift_Up", "Lift_Up_2"}) {
        const size_t at = info.out.find(std::string(" ") + name + " ");
        ASSERT_NE(std::string::npos, at) << info.out;
        std::istringstream line(info.out.substr(at + std::strlen(name) + 2));
        double first, last, rate;
        ASSERT_TRUE(line >> first >> last >> rate) << info.out;
        EXPECT_NEAR(2.0, (last - first + 1) / rate, 1e-6) << info.out;
    }
}
