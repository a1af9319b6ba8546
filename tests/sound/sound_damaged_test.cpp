// Damaged sound and music files: every cut of a WAV file and headers with impossible values either
// load (and play) or fail with the usual line; none may hang, crash or read past the file.
#include "SoundFixture.h"

#include "sound/Music.h"
#include "sound/Sound.h"

using korvel::test::CaptureStream;
using korvel::test::SoundFixture;

namespace {

// Offsets in the 44-byte header MakeToneWav writes.
constexpr size_t kRiffSize = 4;
constexpr size_t kFmtSize = 16;
constexpr size_t kChannels = 22;
constexpr size_t kRate = 24;
constexpr size_t kBits = 34;
constexpr size_t kDataTag = 36;
constexpr size_t kDataSize = 40;

class DamagedFileTest : public SoundFixture, public ::testing::Test {
protected:
    void SetUp() override {
        OpenManager("dummy");
        korvel::test::ToneShape tone;
        tone.seconds = 0.01;
        whole = korvel::test::MakeToneWav(tone);
    }
    void TearDown() override { CloseAll(); }

    // Loads the bytes as a sound and as a track; each either registers and plays, or prints its line
    // and stays unlisted.
    void LoadBoth(const std::vector<uint8_t>& bytes) {
        std::string path = dir.File("damaged.wav");
        korvel::test::WriteFile(path, bytes);
        size_t soundsBefore = manager->sounds.size();
        size_t tracksBefore = manager->tracks.size();
        CaptureStream out(1);
        auto* sound = new CSound(path);
        auto* music = new CMusic(path);
        std::string log = out.Text();

        EXPECT_EQ(manager->sounds.size(), soundsBefore + (sound->chunk ? 1 : 0));
        EXPECT_EQ(manager->tracks.size(), tracksBefore + (music->music ? 1 : 0));
        EXPECT_EQ(log.find("Failed to load sound: " + path) != std::string::npos, sound->chunk == nullptr)
            << log;
        EXPECT_EQ(log.find("Failed to load music " + path) != std::string::npos, music->music == nullptr)
            << log;
        sound->Play(0);
        music->Play(0);
        // Give the mixing thread a few buffers of whatever was accepted.
        SDL_Delay(music->music ? 30 : 0);
        manager->HaltMusic();
        Mix_HaltChannel(-1);
        if (!sound->chunk) {
            delete sound;
        }
        if (!music->music) {
            delete music;
        }
    }

    std::vector<uint8_t> With(size_t at, uint32_t value, size_t width) const {
        std::vector<uint8_t> bytes = whole;
        for (size_t i = 0; i < width; ++i) {
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
        return bytes;
    }

    std::vector<uint8_t> whole;
};

TEST_F(DamagedFileTest, EveryCutOfAWavFileLoadsOrFailsCleanly) {
    for (size_t length = 0; length < whole.size(); length += (length < 64 ? 1 : 37)) {
        SCOPED_TRACE(length);
        LoadBoth(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(length)));
    }
}

TEST_F(DamagedFileTest, ImpossibleHeaderValuesLoadOrFailCleanly) {
    const struct {
        size_t at;
        uint32_t value;
        size_t width;
    } cases[] = {
        {kRiffSize, 0xFFFFFFFF, 4},
        {kFmtSize, 0xFFFFFFF0, 4},
        {kFmtSize, 0, 4},
        {kFmtSize, 1000, 4},
        {kChannels, 0, 2},
        {kChannels, 255, 2},
        {kRate, 0, 4},
        {kRate, 1, 4},
        {kRate, 10, 4},
        {kRate, 100000000, 4},
        {kRate, 0x80000000, 4},
        {kBits, 0, 2},
        {kBits, 7, 2},
        {kDataSize, 0, 4},
        {kDataSize, 100000, 4},
        {kDataSize, 0xFFFFFFF0, 4},
        {kDataSize, 0xFFFFFFFF, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.at << " value " << c.value);
        LoadBoth(With(c.at, c.value, c.width));
    }
}

TEST_F(DamagedFileTest, MisplacedChunksLoadOrFailCleanly) {
    std::vector<uint8_t> header(whole.begin(), whole.begin() + kDataTag);
    std::vector<uint8_t> data(whole.begin() + kDataTag, whole.end());

    // An extra chunk claiming more bytes than the file holds, and no data chunk after it.
    std::vector<uint8_t> longChunk = header;
    longChunk.insert(longChunk.end(), {'L', 'I', 'S', 'T', 0xA0, 0x86, 0x01, 0x00, 'j', 'u', 'n', 'k'});
    LoadBoth(longChunk);

    // An odd-sized extra chunk before the data: read as it stands.
    std::vector<uint8_t> oddChunk = header;
    oddChunk.insert(oddChunk.end(), {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c'});
    oddChunk.insert(oddChunk.end(), data.begin(), data.end());
    LoadBoth(oddChunk);

    // The data chunk with no format chunk at all.
    std::vector<uint8_t> noFormat(whole.begin(), whole.begin() + 12);
    noFormat.insert(noFormat.end(), data.begin(), data.end());
    LoadBoth(noFormat);
}

} // namespace
