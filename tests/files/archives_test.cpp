// Game archives as a place files come from: a folder packed into a .pak and a .pk3 gives the same
// files, models and skins as the folder itself; damaged archives are refused with one line naming
// them, and no name inside an archive reaches outside it.
#include "files/FileSystem.h"
#include "models/MD2Loader.h"
#include "models/SkinSearch.h"
#include "support/ArchiveWriter.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using korvel::test::CaptureStream;
using korvel::test::Md2Writer;
using korvel::test::PakWriter;
using korvel::test::TempDir;

namespace {

const char* const kOgre = "models/monsters/Ogre/tris.md2";
const char* const kCrate = "models/items/Crate/Crate.MD2";

// A small game tree: models in nested folders with mixed-case names, skins named by their tables in
// the game's own way, and a picture outside the models' folders that no search may reach.
void WriteGame(const std::string& root) {
    namespace fs = std::filesystem;
    fs::create_directories(root + "/models/monsters/Ogre/sub");
    fs::create_directories(root + "/models/items/Crate");
    fs::create_directories(root + "/pics");
    ASSERT_TRUE(Md2Writer::Box({{4, 4, 8}}, {"models/monsters/ogre/SKIN.pcx", "../../../pics/secret.pcx"})
                    .Write(root + "/" + kOgre));
    korvel::test::WriteFile(root + "/models/monsters/Ogre/Skin.PNG", {1, 2, 3});
    korvel::test::WriteFile(root + "/models/monsters/Ogre/Notes.txt", {4});
    korvel::test::WriteFile(root + "/models/monsters/Ogre/sub/skin.pcx", {5});
    ASSERT_TRUE(Md2Writer::RandomMesh(20, 30, 4, 7).Write(root + "/" + kCrate));
    korvel::test::WriteFile(root + "/models/items/Crate/crate.BMP", {6, 7});
    korvel::test::WriteFile(root + "/pics/secret.pcx", {8});
}

// The game's folder, and the same packed as a .pak and as a .pk3.
struct Game {
    TempDir dir;
    std::string folder = dir.File("game");
    std::string pak = dir.File("pak0.pak");
    std::string pk3 = dir.File("pak1.pk3");
    Game() {
        WriteGame(folder);
        EXPECT_TRUE(korvel::test::PakFolder(folder, pak));
        EXPECT_TRUE(korvel::test::ZipFolder(folder, pk3));
    }
};

TEST(ArchivesTest, APackedFolderHoldsTheSameFilesModelsAndSkinsAsTheFolder) {
    Game game;
    std::vector<std::string> loose, why;
    std::string reason;
    ASSERT_TRUE(CFileSystem::ListTree(game.folder, loose, reason)) << reason;
    ASSERT_EQ(7u, loose.size());
    EXPECT_EQ("models/items/Crate/Crate.MD2", loose[0]);

    CMD2Loader looseLoader;
    ModelData looseModel;
    ASSERT_TRUE(looseLoader.Load(looseModel, CFileSystem::Join(game.folder, kOgre).c_str(), nullptr));
    std::vector<std::string> tried;
    const std::string looseSkin =
        CSkinSearch::Find(CFileSystem::Join(game.folder, kOgre), looseLoader.GetSkinNames(), tried);
    ASSERT_EQ(CFileSystem::Join(game.folder, "models/monsters/Ogre/Skin.PNG"), looseSkin);

    for (const std::string& archive : {game.pak, game.pk3}) {
        SCOPED_TRACE(archive);
        std::vector<std::string> packed;
        ASSERT_TRUE(CFileSystem::ListTree(archive, packed, reason)) << reason;
        EXPECT_EQ(loose, packed);
        for (const std::string& inner : packed) {
            std::vector<uint8_t> bytes;
            ASSERT_TRUE(CFileSystem::Read(CFileSystem::Join(archive, inner), bytes, reason)) << reason;
            EXPECT_EQ(korvel::test::ReadFile(CFileSystem::Join(game.folder, inner)), bytes) << inner;
        }

        const std::string model = CFileSystem::Join(archive, kOgre);
        EXPECT_EQ(archive + ":" + kOgre, model);
        CMD2Loader loader;
        ModelData data;
        ASSERT_TRUE(loader.Load(data, model.c_str(), nullptr));
        EXPECT_EQ(looseModel.frames[0].vertexCount, data.frames[0].vertexCount);
        EXPECT_EQ(looseModel.frameCount, data.frameCount);
        EXPECT_EQ(looseLoader.GetSkinNames(), loader.GetSkinNames());

        // The same skin by the same rules, searched among the entries of the model's folder only.
        tried.clear();
        EXPECT_EQ(archive + ":models/monsters/Ogre/Skin.PNG",
                  CSkinSearch::Find(model, loader.GetSkinNames(), tried));
        for (const std::string& name : tried) {
            EXPECT_EQ(0u, name.rfind(archive + ":models/monsters/Ogre/", 0)) << name;
        }
        EXPECT_EQ(std::vector<std::string>{archive + ":models/items/Crate/crate.BMP"},
                  CSkinSearch::FindAll(CFileSystem::Join(archive, kCrate), {"gone.pcx"}));
        EXPECT_EQ(archive + ":models/monsters/Ogre/", CFileSystem::FolderOf(model));
        EXPECT_EQ("tris.md2", CFileSystem::FileNameOf(model));
        // A side file named in any case: the first name asked for that is there, never a subfolder's.
        const std::string folder = CFileSystem::FolderOf(model);
        EXPECT_EQ(folder + "Skin.PNG",
                  CFileSystem::FindNoCase(folder, {"skin.pcx", "SKIN.png", "notes.txt"}));
        EXPECT_EQ("", CFileSystem::FindNoCase(folder, {"skin.pcx", "sub"}));

        // A missing entry is missing, with the loose file's message.
        CaptureStream err(2);
        EXPECT_FALSE(loader.Load(data, (archive + ":models/none.md2").c_str(), nullptr));
        EXPECT_EQ("Unable to find the file: " + archive + ":models/none.md2!\n", err.Text());
    }

    // An empty folder packed is a zip of its end record alone: an archive holding nothing.
    std::vector<uint8_t> empty = {'P', 'K', 5, 6};
    empty.resize(22, 0);
    const std::string emptyZip = game.dir.File("empty.pk3");
    korvel::test::WriteFile(emptyZip, empty);
    std::vector<std::string> none;
    EXPECT_TRUE(CFileSystem::ListTree(emptyZip, none, reason)) << reason;
    EXPECT_TRUE(none.empty());
}

// The one line Read gives for a file inside a damaged archive.
std::string RefusalOf(const std::string& archive, const std::vector<uint8_t>& bytes,
                      const std::string& inner) {
    korvel::test::WriteFile(archive, bytes);
    std::vector<uint8_t> read;
    std::string why;
    EXPECT_FALSE(CFileSystem::Read(archive + ":" + inner, read, why));
    EXPECT_TRUE(read.empty());
    std::vector<std::string> files;
    std::string listed;
    CFileSystem::ListTree(archive, files, listed);
    EXPECT_TRUE(listed.empty() || listed == why) << listed;
    EXPECT_EQ(std::string::npos, why.find('\n'));
    EXPECT_EQ(0u, why.rfind("Unable to read the archive (", 0)) << why;
    EXPECT_NE(std::string::npos, why.find("): " + archive + "!")) << why;
    return why;
}

void PatchUint32LE(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// Where a zip signature first occurs.
size_t FindSignature(const std::vector<uint8_t>& bytes, uint8_t third, uint8_t fourth) {
    for (size_t i = 0; i + 4 <= bytes.size(); ++i) {
        if (bytes[i] == 'P' && bytes[i + 1] == 'K' && bytes[i + 2] == third && bytes[i + 3] == fourth) {
            return i;
        }
    }
    return bytes.size();
}

TEST(ArchivesTest, DamagedArchivesAreRefusedWithOneLineNamingThemAndTheReason) {
    TempDir dir;
    PakWriter pak;
    pak.entries = {{"models/a/tris.md2", Md2Writer::NamedFrames({"a1", "a2"}).Bytes()},
                   {"models/a/skin.pcx", std::vector<uint8_t>(100, 9)}};
    const std::vector<uint8_t> good = pak.Bytes();

    std::vector<uint8_t> cut(good.begin(), good.end() - 10);
    EXPECT_NE(std::string::npos,
              RefusalOf(dir.File("cut.pak"), cut, "models/a/tris.md2").find("directory runs past the end"));
    std::vector<uint8_t> far = good;
    PatchUint32LE(far, pak.DirectoryOffset() + 64 + 56, 1000000);
    EXPECT_NE(std::string::npos, RefusalOf(dir.File("far.pak"), far, "models/a/tris.md2")
                                     .find("entry models/a/skin.pcx runs past the end"));
    std::vector<uint8_t> odd = good;
    PatchUint32LE(odd, 8, 100);
    EXPECT_NE(std::string::npos,
              RefusalOf(dir.File("odd.pak"), odd, "models/a/tris.md2").find("not a multiple of 64"));

    // A zip whose local header and directory disagree on a size, one whose entry claims 300 MiB,
    // and one cut short.
    korvel::test::WriteFile(dir.File("skin.pcx"), std::vector<uint8_t>(100, 9));
    ASSERT_EQ(0, korvel::test::RunCommand("cd " + korvel::test::ShellQuote(dir.Path()) +
                                          " && zip -q -0 good.pk3 skin.pcx"));
    const std::vector<uint8_t> zip = korvel::test::ReadFile(dir.File("good.pk3"));
    const size_t local = FindSignature(zip, 3, 4);
    const size_t central = FindSignature(zip, 1, 2);
    ASSERT_LT(central, zip.size());
    std::vector<uint8_t> lying = zip;
    PatchUint32LE(lying, local + 22, 50);
    EXPECT_FALSE(RefusalOf(dir.File("lying.pk3"), lying, "skin.pcx").empty());
    std::vector<uint8_t> huge = zip;
    PatchUint32LE(huge, local + 22, 300u << 20);
    PatchUint32LE(huge, central + 24, 300u << 20);
    EXPECT_NE(std::string::npos,
              RefusalOf(dir.File("huge.pk3"), huge, "skin.pcx").find("entry skin.pcx larger than 256 MiB"));
    std::vector<uint8_t> half(zip.begin(), zip.begin() + zip.size() / 2);
    EXPECT_NE(std::string::npos, RefusalOf(dir.File("half.pk3"), half, "skin.pcx")
                                     .find("the archive ends before its directory: cut short?"));
    // A byte of the entry changed on the way: its checksum no longer holds.
    std::vector<uint8_t> flipped = zip;
    flipped[local + 30 + zip[local + 26] + zip[local + 28] + 50] ^= 1;
    EXPECT_NE(std::string::npos, RefusalOf(dir.File("flipped.pk3"), flipped, "skin.pcx")
                                     .find("entry skin.pcx damaged: its bytes do not match the archive's checksum"));

    // The loader names the damage in the same one line.
    CaptureStream err(2);
    CMD2Loader loader;
    ModelData data;
    EXPECT_FALSE(loader.Load(data, (dir.File("cut.pak") + ":models/a/tris.md2").c_str(), nullptr));
    const std::string text = err.Text();
    EXPECT_EQ(0u, text.rfind("Unable to read the archive (directory runs past the end of the file): "));
    EXPECT_EQ(1, std::count(text.begin(), text.end(), '\n')) << text;
}

TEST(ArchivesTest, NoNameInsideAnArchiveReachesOutsideIt) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("inner"));
    korvel::test::WriteFile(dir.File("escape.md2"), {1});
    korvel::test::WriteFile(dir.File("inner/secret.txt"), {2});
    PakWriter pak;
    pak.entries = {{"../escape.md2", {3}},
                   {"/etc/passwd", {4}},
                   {"models/../../inner/secret.txt", {5}},
                   {"models/ok.md2", {6}}};
    const std::string archive = dir.File("inner/evil.pak");
    ASSERT_TRUE(pak.Write(archive));

    std::vector<std::string> files;
    std::string why;
    ASSERT_TRUE(CFileSystem::ListTree(archive, files, why)) << why;
    for (const std::string& file : files) {
        EXPECT_EQ(std::string::npos, file.find("..")) << file;
        EXPECT_NE('/', file[0]) << file;
    }
    EXPECT_NE(files.end(), std::find(files.begin(), files.end(), "models/ok.md2"));
    for (const char* inner :
         {"../escape.md2", "/etc/passwd", "models/../../inner/secret.txt", "./models/ok.md2"}) {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(CFileSystem::Read(archive + ":" + inner, bytes, why)) << inner;
        EXPECT_FALSE(CFileSystem::IsFile(archive + ":" + inner)) << inner;
    }
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(CFileSystem::Read(archive + ":models/ok.md2", bytes, why)) << why;
    EXPECT_EQ(std::vector<uint8_t>{6}, bytes);
    // Nothing was written beside the archive.
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(dir.File("inner")),
                               std::filesystem::directory_iterator()));
}

} // namespace
