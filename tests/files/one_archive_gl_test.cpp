// A game may ship all its data as one .pk3: its font, sounds, music, shaders and models come out of
// the one archive and work as they do from the unpacked folder.
#include "files/FileSystem.h"
#include "models/MD2Model.h"
#include "shaders/Shader.h"
#include "sound/Music.h"
#include "sound/Sound.h"
#include "support/ArchiveWriter.h"
#include "support/EngineFixture.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"
#include "support/WavWriter.h"
#include "text/Font.h"

#include <SDL.h>
#include <filesystem>

using korvel::test::TempDir;

namespace {

class OneArchiveTest : public korvel::test::EngineTest {
protected:
    // The frame with the text printed by the font on a cleared screen.
    std::vector<uint8_t> Printed(CFont& font) {
        ClearFrame();
        font.Print(10, 10, 0, "Korvel %d", 37);
        return ReadFrame();
    }
};

TEST_F(OneArchiveTest, AGameReadsItsFontSoundMusicShaderAndModelOutOfOnePk3) {
    TempDir dir;
    const std::string game = dir.File("game");
    for (const char* file :
         {"Data/Font/font.tga", "shaders/simpleTexture.frag", "shaders/simpleTexture.vert"}) {
        std::filesystem::create_directories(std::filesystem::path(game + "/" + file).parent_path());
        std::filesystem::copy_file(file, game + "/" + file);
    }
    std::filesystem::create_directories(game + "/sound");
    korvel::test::WriteToneWav(game + "/sound/tone.wav", korvel::test::ToneShape());
    std::filesystem::create_directories(game + "/models");
    ASSERT_TRUE(korvel::test::Md2Writer::Box({4, 4, 8}, {}).Write(game + "/models/box.md2"));
    const std::string pk3 = dir.File("game.pk3");
    ASSERT_TRUE(korvel::test::ZipFolder(game, pk3));
    // A font whose picture cannot be read ends the process, so the entry is made sure of first.
    ASSERT_TRUE(CFileSystem::IsFile(pk3 + ":Data/Font/font.tga"));

    CFont loose, packed;
    ASSERT_TRUE(loose.Load((game + "/Data/Font/font.tga").c_str()));
    ASSERT_TRUE(packed.Load((pk3 + ":Data/Font/font.tga").c_str()));
    const std::vector<uint8_t> expected = Printed(loose);
    ClearFrame();
    EXPECT_GT(DifferingPixels(expected, ReadFrame()), 100);
    EXPECT_EQ(0, DifferingPixels(expected, Printed(packed)));

    CSound* sound = new CSound(pk3 + ":sound/tone.wav");
    CSound* looseSound = new CSound(game + "/sound/tone.wav");
    ASSERT_NE(nullptr, sound->chunk);
    ASSERT_NE(nullptr, looseSound->chunk);
    EXPECT_EQ(looseSound->chunk->alen, sound->chunk->alen);
    delete looseSound;
    delete sound;
    // The mixer streams music from the bytes it was given while it plays.
    CMusic* music = new CMusic(pk3 + ":sound/tone.wav");
    ASSERT_NE(nullptr, music->music);
    music->Play(0);
    SDL_Delay(50);
    delete music;

    CShader shader;
    shader.Load((pk3 + ":shaders/simpleTexture.frag").c_str(), (pk3 + ":shaders/simpleTexture.vert").c_str());
    EXPECT_NE(0u, shader.GetProgram());

    CMD2Model model, looseModel;
    ASSERT_TRUE(model.Load((pk3 + ":models/box.md2").c_str(), nullptr));
    ASSERT_TRUE(looseModel.Load((game + "/models/box.md2").c_str(), nullptr));
    EXPECT_EQ(looseModel.GetData().frameCount, model.GetData().frameCount);
    EXPECT_EQ(looseModel.GetData().frames[0].vertexCount, model.GetData().frames[0].vertexCount);
}

} // namespace
