// md2info and md2gltf on game archives: --list counts every model of a .pak, a .pk3 and the folder
// they were packed from alike, a model inside an archive converts with the skin found inside it, and
// the animation table beside a model inside an archive gives its animations, rates included.
#include "support/ArchiveWriter.h"
#include "support/GltfValidator.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <tiny_gltf.h>

using korvel::test::Md2Writer;
using korvel::test::RunTool;
using korvel::test::ShellQuote;
using korvel::test::TempDir;
using korvel::test::ToolRun;
using korvel::test::WriteFile;

namespace {

TEST(ArchiveTools, ListCountsEveryModelOfAnArchiveOrFolderAndMarksTheRefusedOne) {
    TempDir dir;
    const std::string game = dir.File("game");
    WriteFile(game + "/models/Zed/tris.md2", Md2Writer::NamedFrames({"a1", "a2", "b1", "b2", "b3"}).Bytes());
    WriteFile(game + "/models/box/Box.MD2", Md2Writer::Box({{4, 4, 4}}, {"Box.pcx"}).Bytes());
    WriteFile(game + "/models/box/notes.txt", {1});
    WriteFile(game + "/models/mesh/deep/er/mesh.md2", Md2Writer::RandomMesh(30, 40, 7, 3).Bytes());
    std::vector<uint8_t> cut = Md2Writer::RandomMesh(30, 40, 7, 3).Bytes();
    cut.resize(cut.size() / 2);
    WriteFile(game + "/models/cut/tris.md2", cut);
    ASSERT_TRUE(korvel::test::PakFolder(game, dir.File("pak0.pak")));
    ASSERT_TRUE(korvel::test::ZipFolder(game, dir.File("pak1.pk3")));

    const std::string expected =
        "models: 4\n"
        "models/Zed/tris.md2 vertices 3 triangles 1 frames 5 animations 2\n"
        "models/box/Box.MD2 vertices 8 triangles 12 frames 2 animations 1\n"
        "models/cut/tris.md2 refused\n"
        "models/mesh/deep/er/mesh.md2 vertices 30 triangles 40 frames 7 animations 1\n";
    for (const std::string& root : {game, dir.File("pak0.pak"), dir.File("pak1.pk3")}) {
        ToolRun run = RunTool(dir, "md2info", "--list " + ShellQuote(root));
        EXPECT_EQ(0, run.status) << root;
        EXPECT_EQ(expected, run.out) << root;
        EXPECT_NE(std::string::npos, run.err.find("models/cut/tris.md2!")) << run.err;
    }

    // The single-model form reads inside the archive too; a damaged archive is one line and 1.
    ToolRun one = RunTool(dir, "md2info", ShellQuote(dir.File("pak0.pak") + ":models/Zed/tris.md2"));
    EXPECT_EQ(0, one.status);
    EXPECT_EQ(0u, one.out.find("file: " + dir.File("pak0.pak") + ":models/Zed/tris.md2\nversion: 8\n"));
    std::vector<uint8_t> pak = korvel::test::ReadFile(dir.File("pak0.pak"));
    pak.resize(pak.size() - 1);
    korvel::test::WriteFile(dir.File("cut.pak"), pak);
    ToolRun damaged = RunTool(dir, "md2info", "--list " + ShellQuote(dir.File("cut.pak")));
    EXPECT_EQ(1, damaged.status);
    EXPECT_EQ("Unable to read the archive (directory runs past the end of the file): " + dir.File("cut.pak") +
                  "!\n",
              damaged.err);
}

TEST(ArchiveTools, Md2gltfEmbedsTheSkinFoundInsideTheArchive) {
    TempDir dir;
    const std::string game = dir.File("game");
    WriteFile(game + "/models/box/Box.MD2", Md2Writer::Box({{4, 4, 4}}, {"models/box/SKIN.PCX"}).Bytes());
    ASSERT_EQ(0, korvel::test::RunCommand("convert -size 8x8 xc:'#e02020' " +
                                          ShellQuote(game + "/models/box/skin.png")));
    ASSERT_TRUE(korvel::test::ZipFolder(game, dir.File("pak1.pk3")));
    std::filesystem::remove_all(game);

    const std::string out = dir.File("box.glb");
    ToolRun run = RunTool(
        dir, "md2gltf", ShellQuote(dir.File("pak1.pk3") + ":models/box/Box.MD2") + " -o " + ShellQuote(out));
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("skin " + dir.File("pak1.pk3") + ":models/box/skin.png"))
        << run.out;
    const std::vector<uint8_t> glb = korvel::test::ReadFile(out);
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G'};
    EXPECT_NE(glb.end(), std::search(glb.begin(), glb.end(), png.begin(), png.end()));
}

// Each animation of a glTF file as "name keys duration".
std::vector<std::string> Actions(const std::string& path) {
    tinygltf::TinyGLTF reader;
    tinygltf::Model model;
    std::string error, warning;
    EXPECT_TRUE(reader.LoadBinaryFromFile(&model, &error, &warning, path)) << error;
    std::vector<std::string> actions;
    for (const tinygltf::Animation& animation : model.animations) {
        const tinygltf::Accessor& times = model.accessors[static_cast<size_t>(animation.samplers[0].input)];
        char line[96];
        std::snprintf(line, sizeof line, "%s %zu %g", animation.name.c_str(), times.count,
                      times.maxValues[0]);
        actions.push_back(line);
    }
    return actions;
}

TEST(ArchiveTools, TheAnimationTableBesideAModelInsideAnArchiveGivesItsAnimationsAndRates) {
    TempDir dir;
    const std::string game = dir.File("game");
    // A soldier of 40 frames all named alike, as released games ship them, and its table in capitals.
    WriteFile(game + "/models/Soldier/Soldier.md2",
              Md2Writer::NamedFrames(std::vector<std::string>(40, "FRAME000")).Bytes());
    korvel::test::WriteText(game + "/models/Soldier/SOLDIER.ANM",
                            "// soldier\nstand 0 19 5\nrun 20 25 10 // fast\nfire 26 45 10\nwalk 26 39 20\n");
    ASSERT_TRUE(korvel::test::PakFolder(game, dir.File("pak0.pak")));
    ASSERT_TRUE(korvel::test::ZipFolder(game, dir.File("pak1.pk3")));

    for (const std::string& archive : {dir.File("pak0.pak"), dir.File("pak1.pk3")}) {
        const std::string model = archive + ":models/Soldier/Soldier.md2";
        const std::string anm = archive + ":models/Soldier/SOLDIER.ANM";
        ToolRun info = RunTool(dir, "md2info", ShellQuote(model));
        EXPECT_EQ(0, info.status);
        EXPECT_NE(std::string::npos, info.out.find("frames: 40\nanimation table: " + anm +
                                                   "\nanimations: 3\n"
                                                   "animation 0 stand 0 19 5 loop\n"
                                                   "animation 1 run 20 25 10 loop\n"
                                                   "animation 2 walk 26 39 20 loop\n"))
            << info.out;
        EXPECT_EQ(anm + ":4: frames 26-45, but the model has 40 (0-39); skipped\n", info.err);
        ToolRun list = RunTool(dir, "md2info", "--list " + ShellQuote(archive));
        EXPECT_EQ("models: 1\nmodels/Soldier/Soldier.md2 vertices 3 triangles 1 frames 40 animations 3\n",
                  list.out);

        // Every animation keyed at its own rate and closed by its first frame: 21 keys at 5 a second.
        const std::string glb = dir.File("soldier.glb");
        ToolRun convert = RunTool(dir, "md2gltf", ShellQuote(model) + " -o " + ShellQuote(glb));
        ASSERT_EQ(0, convert.status) << convert.err;
        EXPECT_EQ((std::vector<std::string>{"stand 21 4", "run 7 0.6", "walk 15 0.7"}), Actions(glb));
    }

    // A table named on the command line goes before the one beside the model; one that plays once
    // does not step back to its start. A table named that is not there is an error.
    const std::string groups = dir.File("all.framegroups");
    korvel::test::WriteText(groups, "0 40 10 0 // all");
    const std::string model = ShellQuote(dir.File("pak1.pk3") + ":models/Soldier/Soldier.md2");
    ToolRun info = RunTool(dir, "md2info", "--animations " + ShellQuote(groups) + " " + model);
    EXPECT_NE(std::string::npos, info.out.find("animations: 1\nanimation 0 all 0 39 10 once\n")) << info.out;
    const std::string glb = dir.File("all.glb");
    ToolRun convert = RunTool(dir, "md2gltf",
                              "--animations " + ShellQuote(groups) + " " + model + " -o " + ShellQuote(glb));
    ASSERT_EQ(0, convert.status) << convert.err;
    EXPECT_EQ((std::vector<std::string>{"all 40 3.9"}), Actions(glb));
    const korvel::test::GltfReport report = korvel::test::ValidateGltf(glb);
    ASSERT_TRUE(report.ran) << report.text;
    EXPECT_EQ(0, report.errors) << report.text;
    ToolRun missing =
        RunTool(dir, "md2info", "--animations " + ShellQuote(dir.File("none.anm")) + " " + model);
    EXPECT_EQ(1, missing.status);
    EXPECT_EQ("Unable to find the animation file: " + dir.File("none.anm") + "!\n", missing.err);
}

} // namespace
