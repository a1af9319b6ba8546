// assetgen is deterministic: regenerating every file into a fresh folder gives the committed bytes.
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using korvel::test::ReadFile;
using korvel::test::RunCommand;
using korvel::test::TempDir;

TEST(Assetgen, RegeneratesTheCommittedDataByteForByte) {
    TempDir dir;
    std::string out;
    ASSERT_EQ(RunCommand(std::string(KORVEL_BIN_DIR) + "/assetgen " + dir.Path() + " 2>&1", &out), 0) << out;

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
    ASSERT_EQ(RunCommand(std::string(KORVEL_BIN_DIR) + "/assetgen " + again.Path() + " 2>&1", &out), 0)
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
