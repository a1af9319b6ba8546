// assetgen is deterministic: regenerating every file into a fresh folder gives the committed bytes.
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using korvel::test::ReadFile;
using korvel::test::RunCommand;
using korvel::test::ShellQuote;
using korvel::test::TempDir;

TEST(Assetgen, RegeneratesTheCommittedDataByteForByte) {
    TempDir dir;
    std::string out;
    ASSERT_EQ(RunCommand(ShellQuote(KORVEL_BIN_DIR "/assetgen") + " " + dir.Path() + " 2>&1", &out), 0)
        << out;

    const fs::path committed = fs::path(KORVEL_RUNTIME_DIR) / "Data";
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
        if (!entry.is_regular_file()) {
            continue;
        }
        fs::path relative = fs::relative(entry.path(), dir.Path());
        SCOPED_TRACE(relative.string());
        ASSERT_TRUE(fs::exists(committed / relative)) << "assetgen wrote a file that is not committed";
        EXPECT_TRUE(ReadFile(entry.path().string()) == ReadFile((committed / relative).string()))
            << "committed file differs from a fresh generation; run: assetgen runtime/Data";
        ++compared;
    }
    // A second run writes the same bytes again.
    TempDir again;
    ASSERT_EQ(RunCommand(ShellQuote(KORVEL_BIN_DIR "/assetgen") + " " + again.Path() + " 2>&1", &out), 0)
        << out;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
        if (entry.is_regular_file()) {
            fs::path relative = fs::relative(entry.path(), dir.Path());
            EXPECT_TRUE(ReadFile(entry.path().string()) ==
                        ReadFile((fs::path(again.Path()) / relative).string()))
                << relative;
        }
    }
    RecordProperty("files", compared);
}

// A wrong command line prints the usage and exits 2 without writing anything: no folder named after
// an option, and no silent success when --only names no generator.
TEST(Assetgen, RefusesAWrongCommandLineWithoutWritingAnything) {
    TempDir dir;
    const std::string run =
        "cd " + ShellQuote(dir.Path()) + " && " + ShellQuote(KORVEL_BIN_DIR "/assetgen") + " ";
    for (const std::string arguments :
         {"", "--only", "--only nosuch data", "--only font --only nosuch data", "data more"}) {
        SCOPED_TRACE(arguments);
        std::string out;
        EXPECT_EQ(2, RunCommand(run + arguments + " 2>&1", &out));
        EXPECT_NE(std::string::npos, out.find("usage: assetgen [--only NAME]... DATA_DIR")) << out;
        EXPECT_TRUE(fs::is_empty(dir.Path())) << "assetgen wrote into the working folder";
    }
    std::string out;
    RunCommand(run + "--only nosuch data 2>&1", &out);
    EXPECT_EQ(0u, out.find("assetgen: no generator named nosuch\n")) << out;
    ASSERT_EQ(0, RunCommand(run + "--only pointer data 2>&1", &out)) << out;
    EXPECT_TRUE(fs::exists(fs::path(dir.Path()) / "data/MousePointer.png"));
    ASSERT_EQ(0, RunCommand(run + "--version", &out));
    EXPECT_EQ(0u, out.find("assetgen (Korvel Engine) ")) << out;
    EXPECT_FALSE(fs::exists(fs::path(dir.Path()) / "data/Font"));
}

// A file that cannot be written in full (here the disk is full) fails its generator and the run.
TEST(Assetgen, AFullDiskFailsTheRun) {
    TempDir dir;
    fs::create_directories(fs::path(dir.Path()) / "Font");
    fs::create_symlink("/dev/full", fs::path(dir.Path()) / "MousePointer.png");
    fs::create_symlink("/dev/full", fs::path(dir.Path()) / "Font/font.tga");
    for (const std::string name : {"pointer", "font"}) {
        SCOPED_TRACE(name);
        std::string out;
        EXPECT_EQ(1, RunCommand(ShellQuote(KORVEL_BIN_DIR "/assetgen") + " --only " + name + " " +
                                    ShellQuote(dir.Path()) + " 2>&1",
                                &out));
        EXPECT_NE(std::string::npos, out.find("assetgen: cannot write ")) << out;
        EXPECT_NE(std::string::npos, out.find("assetgen: " + name + " failed")) << out;
    }
}
