// Where a model's skin is looked for: inside the model's folder only, whatever its skin table says.
#include "models/SkinSearch.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using korvel::test::TempDir;

namespace {

TEST(SkinSearchTest, NamesLeavingTheModelFolderAreLookedUpByBaseNameInsideIt) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("game/models/ogre"));
    korvel::test::WriteFile(dir.File("game/secret.pcx"), {1});
    korvel::test::WriteFile(dir.File("game/models/ogre/ogre.png"), {1});
    const std::string model = dir.File("game/models/ogre/tris.md2");

    std::vector<std::string> tried;
    std::string found = CSkinSearch::Find(
        model, {"../../secret.pcx", dir.File("game/secret.pcx"), "models\\ogre\\ogre.pcx"}, tried);
    EXPECT_EQ(dir.File("game/models/ogre/ogre.png"), found);
    for (const std::string& path : tried) {
        EXPECT_EQ(0u, path.rfind(dir.File("game/models/ogre/"), 0)) << path;
        EXPECT_EQ(std::string::npos, path.find("..")) << path;
    }
    // Without names the model's own base name is tried.
    tried.clear();
    EXPECT_EQ("", CSkinSearch::Find(model, {}, tried));
    EXPECT_EQ(dir.File("game/models/ogre/tris.pcx"), tried.front());
    EXPECT_EQ(5u, tried.size());
}

} // namespace
