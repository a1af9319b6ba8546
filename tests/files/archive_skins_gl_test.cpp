// A game loading a model out of an archive gets the skin it would get from the unpacked folder: the
// same texels, found by the same search, through CMD2Mesh::Load and CMD2Model::Load alike, for a
// PNG skin (SDL_image from memory) and a BMP skin (the engine's BMP decoder from memory).
#include "base/GL.h"
#include "files/FileSystem.h"
#include "models/MD2Mesh.h"
#include "models/MD2Model.h"
#include "support/ArchiveWriter.h"
#include "support/EngineFixture.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <filesystem>

using korvel::test::Md2Writer;
using korvel::test::TempDir;

namespace {

class ArchiveSkinsTest : public korvel::test::EngineTest {};

// The RGB texels of mipmap level 0 of a texture; empty for none.
std::vector<uint8_t> Texels(unsigned int texture) {
    if (texture == 0) {
        return {};
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<uint8_t> texels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

void Picture(const std::string& path, const std::string& archiveSpec) {
    ASSERT_EQ(0, korvel::test::RunCommand(archiveSpec + " " + korvel::test::ShellQuote(path))) << path;
}

TEST_F(ArchiveSkinsTest, MeshesAndModelsInsideArchivesWearTheSkinsOfTheUnpackedFolder) {
    TempDir dir;
    const std::string game = dir.File("game");
    std::filesystem::create_directories(game + "/models/Ogre");
    std::filesystem::create_directories(game + "/models/crate/Wood");
    ASSERT_TRUE(Md2Writer::Box({{4, 4, 8}}, {"models/ogre/SKIN.PCX"}).Write(game + "/models/Ogre/tris.md2"));
    Picture(game + "/models/Ogre/Skin.png", "convert -size 8x8 xc:'#e02020' -size 8x8 xc:'#2020e0' +append");
    Picture(game + "/models/Ogre/other.png", "convert -size 16x8 xc:'#20e020'");
    ASSERT_TRUE(Md2Writer::Box({{4, 4, 4}}, {}).Write(game + "/models/crate/Wood/Crate.md2"));
    Picture("BMP3:" + game + "/models/crate/Wood/CRATE.bmp", "convert -size 4x6 gradient:'#ff8000-#0080ff'");
    ASSERT_TRUE(korvel::test::PakFolder(game, dir.File("pak0.pak")));
    ASSERT_TRUE(korvel::test::ZipFolder(game, dir.File("pak1.pk3")));

    for (const char* inner : {"models/Ogre/tris.md2", "models/crate/Wood/Crate.md2"}) {
        SCOPED_TRACE(inner);
        std::shared_ptr<const CMD2Mesh> loose =
            CMD2Mesh::Load(CFileSystem::Join(game, inner).c_str(), nullptr);
        ASSERT_TRUE(loose);
        const std::vector<uint8_t> expected = Texels(loose->GetTexture());
        ASSERT_FALSE(expected.empty());
        for (const std::string& archive : {dir.File("pak0.pak"), dir.File("pak1.pk3")}) {
            const std::string path = CFileSystem::Join(archive, inner);
            std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load(path.c_str(), nullptr);
            ASSERT_TRUE(mesh) << path;
            EXPECT_EQ(expected, Texels(mesh->GetTexture())) << path;
            EXPECT_EQ(loose->GetData().frameCount, mesh->GetData().frameCount);
            CMD2Model model;
            ASSERT_TRUE(model.Load(path.c_str(), nullptr)) << path;
            EXPECT_EQ(expected, Texels(model.GetTexture())) << path;
        }
    }
}

} // namespace
