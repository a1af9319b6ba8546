// md2info run as a program on files written by the test writer: its exact lines and exit codes.
#include "support/ArchiveWriter.h"
#include "support/Character.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace korvel::test;

namespace {

ToolRun Md2info(const TempDir& dir, const std::string& arguments) {
    return RunTool(dir, "md2info", arguments);
}

std::string Header(const std::string& path, int vertices, int texCoords, int triangles, int frames,
                   int animations) {
    return "file: " + path + "\nversion: 8\nskin size: 256 x 256\nvertices: " + std::to_string(vertices) +
           "\ntexture coordinates: " + std::to_string(texCoords) +
           "\ntriangles: " + std::to_string(triangles) + "\nframes: " + std::to_string(frames) +
           "\nanimations: " + std::to_string(animations) + "\n";
}

} // namespace

TEST(Md2info, PrintsTheHeaderAndTheAnimationTable) {
    std::vector<std::string> names;
    for (int i = 1; i <= 40; ++i) {
        names.push_back((i < 10 ? "stand0" : "stand") + std::to_string(i));
    }
    for (int i = 1; i <= 6; ++i) {
        names.push_back("run0" + std::to_string(i));
    }
    TempDir dir;
    std::string path = dir.File("standrun.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames(names).Write(path));
    ToolRun run = Md2info(dir, path);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("", run.err);
    EXPECT_EQ(Header(path, 3, 3, 1, 46, 2) + "animation 0 stand 0 40\nanimation 1 run 40 45\n", run.out);

    path = dir.File("ab.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames({"a1", "a2", "b1"}).Write(path));
    EXPECT_EQ(Header(path, 3, 3, 1, 3, 1) + "animation 0 a 0 2\n", Md2info(dir, path).out);

    path = dir.File("pain.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames({"pain101", "pain102", "pain103"}).Write(path));
    EXPECT_EQ(Header(path, 3, 3, 1, 3, 1) + "animation 0 pain1 0 2\n", Md2info(dir, path).out);

    path = dir.File("single.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames({"pose"}).Write(path));
    EXPECT_EQ(Header(path, 3, 3, 1, 1, 0), Md2info(dir, path).out);
}

TEST(Md2info, ListsSkinNamesAndFrameBoxesAndAcceptsASkinTableOutsideTheFile) {
    Md2Writer writer = Md2Writer::NamedFrames({"run1", "run2"});
    writer.skins = {"models/ogre/ogre.pcx", "ogre2.pcx"};
    writer.frames[1].translate = {{-1.0f, 0.5f, 2.0f}};
    TempDir dir;
    std::string path = dir.File("ogre.md2");
    ASSERT_TRUE(writer.Write(path));
    ToolRun run = Md2info(dir, "--skins --frames " + path);
    EXPECT_EQ(0, run.status) << run.err;
    // Packed (x, y, z) bytes (s, 0, 0), (s + 10, 0, 0), (s, 0, 10) with s the frame index; the file's
    // z is the model's y, its y negated the model's z.
    const std::string frames = "frame 0 run1 0 0 0 10 10 0\nframe 1 run2 0 2 -0.5 10 12 -0.5\n";
    EXPECT_EQ(Header(path, 3, 3, 1, 2, 1) + "animation 0 run 0 1\nskins: 2\nskin 0 models/ogre/ogre.pcx\n" +
                  "skin 1 ogre2.pcx\n" + frames,
              run.out);

    std::vector<uint8_t> bytes = writer.Bytes();
    SetHeaderField(bytes, Md2Field::SkinOffset, static_cast<int32_t>(bytes.size()) + 100);
    korvel::test::WriteFile(path, bytes);
    run = Md2info(dir, "--skins " + path);
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(Header(path, 3, 3, 1, 2, 1) + "animation 0 run 0 1\nskins: 0\n", run.out);
}

TEST(Md2info, ListsTheTagsBesideAModelOnDiskAndInAnArchive) {
    TempDir dir;
    WriteCharacter(dir.File("soldier"));
    const std::string tags = "tag frames: 9\ntags: 2\ntag 0 tag_head\ntag 1 tag_rweapon\n";
    ToolRun run = Md2info(dir, "--tags " + dir.File("soldier/body.md2"));
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("tag file: " + dir.File("soldier/body.tag") + "\n" + tags))
        << run.out;
    run = Md2info(dir, "--tags " + dir.File("soldier/head01.md2"));
    EXPECT_NE(std::string::npos, run.out.find("\ntag file: none\n")) << run.out;

    ASSERT_TRUE(ZipFolder(dir.File("soldier"), dir.File("game.zip")));
    run = Md2info(dir, "--tags " + dir.File("game.zip") + ":body.md2");
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("tag file: " + dir.File("game.zip") + ":body.tag\n" + tags))
        << run.out;

    // A tag whose axes are not unit and square is named as such.
    korvel::files::TagFile stretched;
    stretched.frameCount = 9;
    stretched.names = {"tag_big"};
    stretched.transforms.assign(9, {{2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0}});
    korvel::test::WriteFile(dir.File("soldier/body.tag"), stretched.Bytes());
    run = Md2info(dir, "--tags " + dir.File("soldier/body.md2"));
    EXPECT_NE(
        std::string::npos,
        run.out.find("tag 0 tag_big (not a rotation in 9 of 9 frames: its axes are not unit and square)\n"))
        << run.out;

    // A tag file made for another model is refused in one line.
    ASSERT_TRUE(Md2Writer::NamedFrames({"a1", "a2"}).Write(dir.File("soldier/body.md2")));
    run = Md2info(dir, "--tags " + dir.File("soldier/body.md2"));
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("Invalid tag file (9 frames, but the model has 2): " + dir.File("soldier/body.tag") + "!\n",
              run.err);
}

TEST(Md2info, FilesThatDoNotLoadExitWithOne) {
    TempDir dir;
    std::string path = dir.File("v7.md2");
    std::vector<uint8_t> bytes = Md2Writer::NamedFrames({"a1", "a2"}).Bytes();
    SetHeaderField(bytes, Md2Field::Version, 7);
    korvel::test::WriteFile(path, bytes);
    ToolRun run = Md2info(dir, path);
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("Invalid file format (Version not 8): " + path + "!\n", run.err);

    run = Md2info(dir, dir.File("missing.md2"));
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("Unable to find the file: " + dir.File("missing.md2") + "!\n", run.err);
}

TEST(Md2info, AnOutputThatCannotBeWrittenExitsWithOne) {
    TempDir dir;
    std::string path = dir.File("ab.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames({"a1", "a2", "b1"}).Write(path));
    ToolRun run = Md2info(dir, path + " >/dev/full");
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("md2info: cannot write the output\n", run.err);
}

TEST(Md2info, WithoutAnArgumentPrintsUsageAndExitsWithTwo) {
    TempDir dir;
    ToolRun run = Md2info(dir, "");
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ(
        "md2info: no model given\n"
        "usage: md2info [--frames] [--skins] [--tags] [--animations TABLE] FILE | --list ARCHIVE|FOLDER\n",
        run.err);
}
