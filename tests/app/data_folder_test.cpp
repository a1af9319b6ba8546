// Where a program started outside its data looks for it, and when it stays where it was started.
#include "app/DataFolder.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using korvel::test::TempDir;

namespace fs = std::filesystem;

TEST(DataFolder, InstallationBesideTheExecutableThenFallbackThenXdgDataDirs) {
    EXPECT_EQ(
        DataFolderCandidates("/opt/k/bin/md2viewer", "/game/data", "/a/share::/b"),
        (std::vector<std::string>{"/opt/k/share/korvel", "/game/data", "/a/share/korvel", "/b/korvel"}));
    EXPECT_EQ(DataFolderCandidates("", "", nullptr),
              (std::vector<std::string>{"/usr/local/share/korvel", "/usr/share/korvel"}));
}

TEST(DataFolder, AWorkingDirectoryWithAnyDataStaysAndOnlyACompleteInstallationIsTaken) {
    TempDir dir;
    for (const char* folder : {"own/shaders", "half/Data", "full/Data", "full/shaders"}) {
        fs::create_directories(dir.File(folder));
    }
    const std::vector<std::string> candidates{dir.File("missing"), dir.File("half"), dir.File("full")};
    EXPECT_EQ(FindDataFolder(dir.File("own"), candidates), dir.File("own"));
    EXPECT_EQ(FindDataFolder(dir.Path(), candidates), dir.File("full"));
    EXPECT_EQ(FindDataFolder(dir.Path(), {dir.File("half")}), "");
}
