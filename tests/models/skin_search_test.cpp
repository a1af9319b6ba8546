// Where a model's skin is looked for: beside the model, by every way real skin tables name skins, and
// never outside the model's folder.
#include "models/SkinSearch.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using korvel::test::TempDir;

namespace {

// A folder holding a model and the given files (one byte each), searched with the given table.
std::string FindIn(const std::vector<std::string>& files, const std::vector<std::string>& table) {
    TempDir dir;
    for (const std::string& file : files) {
        korvel::test::WriteFile(dir.File(file), {1});
    }
    std::vector<std::string> tried;
    std::string found = CSkinSearch::Find(dir.File("tris.md2"), table, tried);
    return found.empty() ? "" : found.substr(dir.File("").size());
}

TEST(SkinSearchTest, EveryWayATableNamesASkinLeadsToTheFileBesideTheModel) {
    EXPECT_EQ("skin.pcx", FindIn({"skin.pcx"}, {"models/monsters/tank/skin.pcx"}));
    EXPECT_EQ("skin.pcx", FindIn({"skin.pcx"}, {"models\\monsters\\tank\\skin.pcx"}));
    EXPECT_EQ("body.png", FindIn({"body.png"}, {".body"}));
    EXPECT_EQ("skin.tga", FindIn({"skin.tga"}, {"skin"}));
    EXPECT_EQ("skin.png", FindIn({"skin.png", "skin.txt"}, {"skin.pcx"}));
    EXPECT_EQ("container.005.png", FindIn({"container.005.png", "container.pcx"}, {"container.005"}));
    EXPECT_EQ("skin.pcx", FindIn({"skin.pcx"}, {"SKIN.PCX"}));
    EXPECT_EQ("Skin.PNG", FindIn({"Skin.PNG"}, {"models/x/SKIN.PCX"}));
    // Entries in order: a missing first entry does not hide a later one.
    EXPECT_EQ("blue.pcx", FindIn({"blue.pcx", "red.pcx"}, {"gone.pcx", "blue.pcx", "red.pcx"}));
    // Several kinds of one name: pcx before png before tga.
    EXPECT_EQ("skin.png", FindIn({"skin.tga", "skin.png"}, {"skin"}));
}

TEST(SkinSearchTest, WithoutATableEntryThatExistsTheModelNameThenTheOnlyImageAreTaken) {
    EXPECT_EQ("tris.pcx", FindIn({"tris.pcx", "other.png"}, {"gone.pcx"}));
    EXPECT_EQ("other.png", FindIn({"other.png", "notes.txt"}, {}));
    EXPECT_EQ("", FindIn({"one.png", "two.png"}, {}));
}

TEST(SkinSearchTest, NamesLeavingTheModelFolderAreLookedUpByBaseNameInsideIt) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("game/models/ogre"));
    korvel::test::WriteFile(dir.File("game/secret.pcx"), {1});
    korvel::test::WriteFile(dir.File("game/models/ogre/ogre.png"), {1});
    korvel::test::WriteFile(dir.File("game/models/ogre/red.pcx"), {1});
    const std::string model = dir.File("game/models/ogre/tris.md2");

    std::vector<std::string> tried;
    std::string found = CSkinSearch::Find(
        model, {"../../secret.pcx", dir.File("game/secret.pcx"), "models\\ogre\\ogre.pcx"}, tried);
    EXPECT_EQ(dir.File("game/models/ogre/ogre.png"), found);
    for (const std::string& path : tried) {
        EXPECT_EQ(0u, path.rfind(dir.File("game/models/ogre/"), 0)) << path;
        EXPECT_EQ(std::string::npos, path.find("..")) << path;
    }
    // Every skin the table leads to, once each, in table order.
    EXPECT_EQ((std::vector<std::string>{dir.File("game/models/ogre/red.pcx"),
                                        dir.File("game/models/ogre/ogre.png")}),
              CSkinSearch::FindAll(model, {"red", "../secret.pcx", "ogre.pcx", "RED.pcx"}));
}

} // namespace
