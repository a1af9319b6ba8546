// md2info run as a program on files written by the test writer: its exact lines and exit codes.
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using korvel::test::Md2Field;
using korvel::test::Md2Writer;
using korvel::test::ReadFile;
using korvel::test::RunCommand;
using korvel::test::ShellQuote;
using korvel::test::TempDir;

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun Md2info(const TempDir& dir, const std::string& arguments) {
    ToolRun run;
    std::string errFile = dir.File("stderr.txt");
    run.status =
        RunCommand(ShellQuote(KORVEL_BIN_DIR "/md2info") + " " + arguments + " 2>" + errFile, &run.out);
    std::vector<uint8_t> err = ReadFile(errFile);
    run.err.assign(err.begin(), err.end());
    return run;
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
    EXPECT_EQ("usage: md2info FILE\n", run.err);
}
