// md2info and md2gltf on game archives: --list counts every model of a .pak, a .pk3 and the folder
// they were packed from alike, and a model inside an archive converts with the skin found inside it.
#include "support/ArchiveWriter.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

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

} // namespace
