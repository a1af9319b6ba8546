// What reaches the device: SDL's disk driver writes every mixed frame (16-bit, stereo) to a file,
// which is measured, at the 22050 Hz the engine mixes at, for where the tones are and at which
// frequency. Every capture starts with the effect's tone.
#include "SoundFixture.h"

#include "sound/Music.h"
#include "sound/Sound.h"
#include "support/AudioCapture.h"

using namespace korvel::test;

namespace {

constexpr int kRate = 22050;
// The tone files are written at 40% of full scale. Their lengths hold whole cycles, so a looped tone
// stays one continuous sine.
constexpr double kToneAmplitude = 0.4;
constexpr double kEffectHz = 450;
constexpr double kMusicHz = 900;

class SoundCaptureTest : public SoundFixture, public ::testing::Test {
protected:
    // 20 ms between buffers of 186 ms: the capture runs ahead of real time.
    void SetUp() override { OpenManager("disk", "20"); }
    void TearDown() override { CloseAll(); }

    // Lets everything started play out, then pauses long enough to leave silence in the capture.
    void PlayOut() {
        ASSERT_TRUE(WaitForSilence(10000));
        SDL_Delay(300);
    }

    // Closes the device, ending the capture, and returns its stretches of sound.
    std::vector<Burst> Capture() {
        CloseManager();
        samples = ReadCapture(CapturePath(), 2, kRate, kEffectHz);
        return FindBursts(samples, 64, 2000);
    }

    std::vector<int16_t> samples;
};

TEST_F(SoundCaptureTest, EffectReachesTheDeviceAtItsFrequencyAndLoopsPlayItAgain) {
    const double seconds = 0.2;
    const int frames = static_cast<int>(kRate * seconds);
    auto* sound = new CSound(Tone("tone.wav", kEffectHz, seconds));
    sound->Play(0);
    PlayOut();
    sound->Play(2);
    PlayOut();

    std::vector<Burst> bursts = Capture();
    ASSERT_EQ(bursts.size(), 2u);
    EXPECT_NEAR(static_cast<double>(bursts[0].Length()), frames, 4);
    EXPECT_NEAR(static_cast<double>(bursts[1].Length()), 3.0 * frames, 4);
    for (const Burst& burst : bursts) {
        EXPECT_NEAR(ToneAmplitude(samples, burst, kRate, kEffectHz), kToneAmplitude, 0.02);
        EXPECT_LT(ToneAmplitude(samples, burst, kRate, 660), 0.02);
    }
}

TEST_F(SoundCaptureTest, OtherSampleFormatsAreConvertedToTheDeviceFormat) {
    korvel::test::ToneShape tone;
    tone.rate = 11025;
    tone.channels = 2;
    tone.bitsPerSample = 8;
    tone.frequency = kEffectHz;
    tone.seconds = 0.2;
    auto* sound = new CSound(Tone("tone.wav", tone));
    sound->Play(0);
    PlayOut();

    std::vector<Burst> bursts = Capture();
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_NEAR(static_cast<double>(bursts[0].Length()), 0.2 * kRate, 4);
    EXPECT_NEAR(ToneAmplitude(samples, bursts[0], kRate, kEffectHz), kToneAmplitude, 0.03);
}

TEST_F(SoundCaptureTest, SoundVolumeScalesWhatIsMixed) {
    auto* sound = new CSound(Tone("tone.wav", kEffectHz, 0.2));
    manager->SetSoundVolume(64);
    sound->Play(0);
    PlayOut();
    manager->SetSoundVolume(0);
    sound->Play(0);
    PlayOut();

    std::vector<Burst> bursts = Capture();
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_NEAR(ToneAmplitude(samples, bursts[0], kRate, kEffectHz), kToneAmplitude / 2, 0.02);
}

TEST_F(SoundCaptureTest, MusicReachesTheDeviceAndTrackBReplacesTrackA) {
    auto* a = new CMusic(Tone("a.wav", kEffectHz, 4.0));
    auto* b = new CMusic(Tone("b.wav", kMusicHz, 0.3));
    a->Play(0);
    // About half a second of A at the capture's pace.
    SDL_Delay(50);
    b->Play(0);
    PlayOut();

    std::vector<Burst> bursts = Capture();
    ASSERT_EQ(bursts.size(), 1u);
    // A was cut off: far less than its four seconds sound before B's 0.3 s.
    EXPECT_LT(bursts[0].Length(), static_cast<size_t>(2 * kRate));
    Burst head{bursts[0].begin, bursts[0].begin + kRate / 10};
    Burst tail{bursts[0].end - kRate / 5, bursts[0].end};
    EXPECT_NEAR(ToneAmplitude(samples, head, kRate, kEffectHz), kToneAmplitude, 0.04);
    EXPECT_NEAR(ToneAmplitude(samples, tail, kRate, kMusicHz), kToneAmplitude, 0.04);
    EXPECT_LT(ToneAmplitude(samples, tail, kRate, kEffectHz), 0.02);
}

} // namespace
