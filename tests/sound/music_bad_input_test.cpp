// Music files that are not what their first bytes promise: each decoder the mixer picks from the
// magic (Ogg, MIDI, MP3, FLAC, MOD) gets garbage behind it, and text and random bytes go in as they
// are. Each track either loads and plays for a moment or fails with the usual line; none may hang or
// crash. Damaged WAV tracks are covered with the sound effects (sound_damaged_test).
#include "SoundFixture.h"

#include "sound/Music.h"

#include <cstring>

using korvel::test::CaptureStream;
using korvel::test::SoundFixture;

namespace {

using Bytes = std::vector<uint8_t>;

class MusicBadInputTest : public SoundFixture, public ::testing::Test {
protected:
    void SetUp() override { OpenManager("dummy"); }
    void TearDown() override { CloseAll(); }

    // Loads the bytes as a track; true when the mixer took them. A refused track prints its line and
    // stays unlisted; an accepted one is listed and plays for a moment.
    bool LoadAndPlay(const Bytes& bytes, const std::string& name) {
        const std::string path = dir.File(name);
        korvel::test::WriteFile(path, bytes);
        const size_t listed = manager->tracks.size();
        CaptureStream out(STDOUT_FILENO);
        auto* music = new CMusic(path);
        const std::string log = out.Text();
        if (!music->music) {
            EXPECT_EQ(log, "Failed to load music " + path + "\n") << name;
            EXPECT_EQ(manager->tracks.size(), listed) << name;
            delete music;
            return false;
        }
        EXPECT_EQ(log, "") << name;
        EXPECT_EQ(manager->tracks.size(), listed + 1) << name;
        music->Play(0);
        SDL_Delay(30);
        manager->HaltMusic();
        return true;
    }

    // The magic followed by pseudo-random bytes, `size` bytes in all.
    static Bytes Garbage(const std::string& magic, size_t size) {
        Bytes bytes(magic.begin(), magic.end());
        uint32_t state = 12345;
        while (bytes.size() < size) {
            state = state * 1103515245u + 12345u;
            bytes.push_back(static_cast<uint8_t>(state >> 16));
        }
        return bytes;
    }
};

} // namespace

TEST_F(MusicBadInputTest, GarbageBehindStrongMagicIsRefused) {
    EXPECT_FALSE(LoadAndPlay(Garbage("OggS", 4096), "garbage.ogg"));
    EXPECT_FALSE(LoadAndPlay(Garbage("fLaC", 4096), "garbage.flac"));
    EXPECT_FALSE(LoadAndPlay(Garbage("", 0), "empty.ogg"));
}

TEST_F(MusicBadInputTest, FormatsWithWeakMagicLoadOrFailCleanly) {
    // MIDI and MP3 readers check little: garbage behind "MThd" or an MP3 sync word, and even text in
    // a file named .mp3, load as tracks that play silence. Random bytes, and a MOD module of
    // garbage, are refused. What matters is that none hangs or crashes.
    const std::string text = "this is not music\n";
    Bytes module = Garbage("", 2048);
    std::memcpy(&module[1080], "M.K.", 4);
    const struct {
        Bytes bytes;
        const char* name;
        bool loads;
    } cases[] = {
        {Garbage("MThd", 4096), "garbage.mid", true}, {Bytes(text.begin(), text.end()), "text.mp3", true},
        {Garbage("ID3", 4096), "garbage.mp3", true},  {Garbage("\xFF\xFB", 4096), "sync.mp3", true},
        {Garbage("", 4096), "random.bin", false},     {module, "garbage.mod", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadAndPlay(c.bytes, c.name), c.loads) << c.name;
    }
}
