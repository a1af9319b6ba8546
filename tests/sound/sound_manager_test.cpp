// The sound manager, effects and music on SDL's dummy and disk drivers: volumes, the two lists and
// their ownership, playing by index, and stopping the music before a track is freed.
#include "SoundFixture.h"

#include "sound/Music.h"
#include "sound/Sound.h"

#include <vector>

using korvel::test::CaptureStream;
using korvel::test::SoundFixture;

namespace {

// A long fade keeps the music "playing" for a minute; the mixer makes a new track wait for such a
// fade to end unless the music is halted first, so a quick return shows the halt came first.
constexpr int kLongFadeMs = 60000;
constexpr Uint32 kQuickMs = 5000;

class SoundManagerTest : public SoundFixture, public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { OpenManager(GetParam()); }
    void TearDown() override { CloseAll(); }
};

TEST_P(SoundManagerTest, VolumesStartFullAndAreClampedBeforeReachingTheMixer) {
    ASSERT_TRUE(CSoundManager::IsDeviceOpen());
    EXPECT_EQ(manager->GetSoundVolume(), 128);
    EXPECT_EQ(manager->GetMusicVolume(), 128);

    manager->SetSoundVolume(200);
    EXPECT_EQ(manager->GetSoundVolume(), 128);
    EXPECT_EQ(Mix_Volume(-1, -1), 128);
    manager->SetSoundVolume(-3);
    EXPECT_EQ(manager->GetSoundVolume(), 0);
    EXPECT_EQ(Mix_Volume(7, -1), 0);
    manager->SetSoundVolume(64);
    EXPECT_EQ(Mix_Volume(0, -1), 64);

    manager->SetMusicVolume(-5);
    EXPECT_EQ(manager->GetMusicVolume(), 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    manager->SetMusicVolume(300);
    EXPECT_EQ(manager->GetMusicVolume(), 128);
    EXPECT_EQ(Mix_VolumeMusic(-1), 128);
}

TEST_P(SoundManagerTest, LoadedSoundsAndTracksAreListedInLoadOrderAndRemovalKeepsTheRest) {
    std::string tone = Tone("a.wav", 441, 0.1);
    auto* a = new CSound(tone);
    auto* b = new CSound(tone);
    auto* c = new CSound(tone);
    EXPECT_EQ(manager->sounds, (std::vector<CSound*>{a, b, c}));
    EXPECT_EQ(a->name, tone);

    manager->RemoveSound(a);
    EXPECT_EQ(manager->sounds, (std::vector<CSound*>{b, c}));
    c->Free();
    EXPECT_EQ(manager->sounds, (std::vector<CSound*>{b}));
    manager->RemoveSound(nullptr);
    EXPECT_EQ(manager->sounds, (std::vector<CSound*>{b}));

    auto* first = new CMusic(tone);
    auto* second = new CMusic(tone);
    EXPECT_EQ(manager->tracks, (std::vector<CMusic*>{first, second}));
    manager->RemoveMusic(nullptr);
    manager->RemoveMusic(first);
    EXPECT_EQ(manager->tracks, (std::vector<CMusic*>{second}));
}

TEST_P(SoundManagerTest, RemovingAnUnlistedSoundOrTrackStillDeletesIt) {
    std::string tone = Tone("a.wav", 441, 0.1);
    auto* sound = new CSound(tone);
    auto* music = new CMusic(tone);
    manager->sounds.clear();
    manager->tracks.clear();

    // Freeing a chunk stops the channels playing it, and deleting a track stops the music: both
    // show that the object was really destroyed.
    sound->Play(-1);
    music->Play(-1);
    ASSERT_EQ(Mix_Playing(-1), 1);
    ASSERT_EQ(Mix_PlayingMusic(), 1);
    manager->RemoveSound(sound);
    EXPECT_EQ(Mix_Playing(-1), 0);
    manager->RemoveMusic(music);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_P(SoundManagerTest, FailedLoadsPrintTheirLineAndStayWithTheirCreator) {
    std::string missing = dir.File("missing.wav");
    std::string garbage = dir.File("garbage.wav");
    korvel::test::WriteFile(garbage, {'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0x7F, 'W', 'A', 'V', 'E'});

    CaptureStream out(1);
    auto* sound = new CSound(missing);
    auto* broken = new CSound(garbage);
    auto* music = new CMusic(missing);
    EXPECT_EQ(out.Text(), "Failed to load sound: " + missing + "\nFailed to load sound: " + garbage +
                              "\nFailed to load music " + missing + "\n");

    EXPECT_TRUE(manager->sounds.empty());
    EXPECT_TRUE(manager->tracks.empty());
    EXPECT_EQ(sound->chunk, nullptr);
    sound->Play(0);
    music->Play(0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    music->Unload();
    EXPECT_TRUE(manager->tracks.empty());
    delete sound;
    delete broken;
    delete music;
}

TEST_P(SoundManagerTest, EmptyPathLoadsNothingAndPrintsNothing) {
    CaptureStream out(1);
    CSound sound("");
    CMusic music("");
    EXPECT_EQ(out.Text(), "");
    EXPECT_EQ(sound.chunk, nullptr);
    EXPECT_EQ(music.music, nullptr);
    EXPECT_TRUE(manager->sounds.empty());
    EXPECT_TRUE(manager->tracks.empty());
}

TEST_P(SoundManagerTest, LoadingALoadedSoundAgainReplacesItsDataAndKeepsOneEntry) {
    std::string low = Tone("low.wav", 441, 0.1);
    std::string high = Tone("high.wav", 882, 0.1);
    auto* sound = new CSound(low);
    auto* music = new CMusic(low);
    EXPECT_TRUE(sound->Load(high));
    EXPECT_TRUE(music->Load(high));
    EXPECT_EQ(sound->name, high);
    EXPECT_EQ(manager->sounds.size(), 1u);
    EXPECT_EQ(manager->tracks.size(), 1u);

    // A failed reload keeps what was loaded.
    CaptureStream out(1);
    EXPECT_FALSE(sound->Load(dir.File("missing.wav")));
    EXPECT_NE(out.Text(), "");
    EXPECT_NE(sound->chunk, nullptr);
    EXPECT_EQ(sound->name, high);
}

TEST_P(SoundManagerTest, PlaysListedSoundsAndTracksByIndexOnly) {
    std::string tone = Tone("a.wav", 441, 0.1);
    new CSound(tone);
    new CMusic(tone);
    manager->PlaySound(1, -1);
    manager->PlayMusic(1, -1);
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    manager->PlaySound(0, -1);
    manager->PlayMusic(0, -1);
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    manager->HaltMusic();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    manager->HaltMusic();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_P(SoundManagerTest, PlayingTrackBWhileTrackAPlaysStopsAFirst) {
    std::string tone = Tone("a.wav", 441, 0.5);
    auto* a = new CMusic(tone);
    auto* b = new CMusic(tone);
    a->Play(-1);
    Mix_FadeOutMusic(kLongFadeMs);
    ASSERT_EQ(Mix_PlayingMusic(), 1);

    Uint32 start = SDL_GetTicks();
    b->Play(-1);
    EXPECT_LT(SDL_GetTicks() - start, kQuickMs);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(Mix_FadingMusic(), MIX_NO_FADING);
}

TEST_P(SoundManagerTest, DeletingAnyTrackStopsTheMusicAndUnloadFreesTheTrack) {
    std::string tone = Tone("a.wav", 441, 0.5);
    auto* playing = new CMusic(tone);
    auto* idle = new CMusic(tone);
    playing->Play(-1);
    manager->RemoveMusic(idle);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(manager->tracks, (std::vector<CMusic*>{playing}));

    playing->Play(-1);
    playing->Unload();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_TRUE(manager->tracks.empty());
}

TEST_P(SoundManagerTest, DestroyingTheManagerHaltsThePlayingTrackBeforeFreeingItAndClosesTheDevice) {
    std::string tone = Tone("a.wav", 441, 0.5);
    new CSound(tone);
    auto* track = new CMusic(tone);
    track->Play(-1);
    Mix_FadeOutMusic(kLongFadeMs);

    Uint32 start = SDL_GetTicks();
    CloseManager();
    EXPECT_LT(SDL_GetTicks() - start, kQuickMs);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_FALSE(CSoundManager::IsDeviceOpen());
}

TEST_P(SoundManagerTest, SoundsAndTracksOutlivingTheManagerFreeOnlyTheirOwnData) {
    std::string tone = Tone("a.wav", 441, 0.5);
    auto* loaded = new CSound(tone);
    auto* track = new CMusic(tone);
    manager->sounds.clear();
    manager->tracks.clear();
    auto* failed = new CMusic(dir.File("missing.wav"));
    track->Play(-1);
    CloseManager();

    delete loaded;
    delete track;
    delete failed;
    auto* freed = new CSound("");
    freed->Free();
    auto* unloaded = new CMusic("");
    delete unloaded;
}

TEST_P(SoundManagerTest, SoundsAndTracksDeletedByHandLeaveTheListsAndAreFreedOnce) {
    std::string tone = Tone("a.wav", 441, 0.5);
    auto* kept = new CSound(tone);
    auto* sound = new CSound(tone);
    auto* track = new CMusic(tone);
    manager->AddSound(kept);
    delete sound;
    delete track;
    EXPECT_EQ(manager->sounds, (std::vector<CSound*>{kept, kept}));
    EXPECT_TRUE(manager->tracks.empty());
    // Listed twice, removing it once frees it once and leaves no entry behind.
    manager->RemoveSound(kept);
    EXPECT_TRUE(manager->sounds.empty());

    // Shutdown, too, deletes a sound listed twice only once.
    auto* twice = new CSound(tone);
    manager->AddSound(twice);
    new CMusic(tone);
    CloseManager();
}

INSTANTIATE_TEST_SUITE_P(Drivers, SoundManagerTest, ::testing::Values("dummy", "disk"));

// No device: the manager reports it once and stays usable; loads fail with their usual lines.
class NoDeviceTest : public SoundFixture, public ::testing::Test {
protected:
    void TearDown() override { CloseAll(); }
};

TEST_F(NoDeviceTest, OpeningWithoutADeviceReportsItAndLoadsFailWithTheirLines) {
    // A device opened and closed earlier leaves the mixer's channel count behind; volumes must not
    // reach for those channels now.
    OpenManager("dummy");
    CloseAll();

    CaptureStream out(1);
    OpenManager("nosuchdriver");
    std::string tone = Tone("a.wav", 441, 0.1);
    auto* sound = new CSound(tone);
    auto* music = new CMusic(tone);
    EXPECT_EQ(out.Text(), "Unable to open audio\nFailed to load sound: " + tone + "\nFailed to load music " +
                              tone + "\n");
    EXPECT_FALSE(CSoundManager::IsDeviceOpen());
    EXPECT_TRUE(manager->sounds.empty());
    EXPECT_TRUE(manager->tracks.empty());

    manager->SetSoundVolume(500);
    manager->SetMusicVolume(50);
    EXPECT_EQ(manager->GetSoundVolume(), 128);
    EXPECT_EQ(manager->GetMusicVolume(), 50);
    sound->Play(0);
    delete sound;
    delete music;
}

TEST_F(NoDeviceTest, LoadingWithoutAManagerFailsWithTheUsualLine) {
    std::string tone = Tone("a.wav", 441, 0.1);
    CaptureStream out(1);
    CSound sound(tone);
    CMusic music(tone);
    EXPECT_EQ(out.Text(), "Failed to load sound: " + tone + "\nFailed to load music " + tone + "\n");
}

} // namespace
