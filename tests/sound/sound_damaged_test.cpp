// Damaged sound and music files: every cut of a WAV file and headers with impossible values either
// load (and play) or fail with the usual line; none may hang, crash or read past the file.
#include "SoundFixture.h"

#include "sound/Music.h"
#include "sound/Sound.h"

#include <algorithm>
#include <sys/stat.h>

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
        CaptureStream err(2);
        auto* sound = new CSound(path);
        auto* music = new CMusic(path);
        std::string log = out.Text();
        const std::string reasons = err.Text();
        // Each refusal gives its reason on a line of its own after the file name.
        const size_t reasonLines = (sound->chunk ? 0 : 1) + (music->music ? 0 : 1);
        EXPECT_EQ(static_cast<size_t>(std::count(reasons.begin(), reasons.end(), '\n')), reasonLines)
            << reasons;
        EXPECT_EQ(reasons.find(path + ": \n"), std::string::npos) << reasons;

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

TEST_F(DamagedFileTest, RefusalsSayWhyOnStandardError) {
    korvel::test::ToneShape deep;
    deep.bitsPerSample = 24;
    const std::string folder = dir.File("folder.wav");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string empty = dir.File("empty.wav");
    korvel::test::WriteFile(empty, {});
    std::vector<uint8_t> extensible = korvel::test::MakeToneWav(deep);
    extensible[20] = 0xFE; // the format tag
    extensible[21] = 0xFF;
    korvel::test::WriteFile(dir.File("extensible.wav"), extensible);
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {Tone("deep.wav", deep), "24-bit samples are not supported"},
        {dir.File("extensible.wav"),
         "24-bit samples in the extensible WAV format are not supported; save 8 or 16-bit PCM"},
        {empty, "file is empty"},
        {folder, "this is a folder, not a file"},
        {dir.File("missing.wav"), "No such file or directory"},
    };
    for (const auto& c : cases) {
        CaptureStream out(1);
        CaptureStream err(2);
        auto* sound = new CSound(c.path);
        auto* music = new CMusic(c.path);
        EXPECT_EQ(out.Text(), "Failed to load sound: " + c.path + "\nFailed to load music " + c.path + "\n");
        EXPECT_EQ(err.Text(), c.path + ": " + c.reason + "\n" + c.path + ": " + c.reason + "\n");
        delete sound;
        delete music;
    }
}

} // namespace
