// The sound example and the viewer as real programs: what the example leaves in a disk-driver
// capture, and both programs on a machine without an audio device.
#include "support/AudioCapture.h"
#include "support/TestSupport.h"
#include "support/ViewerFacts.h"
#include "support/WavWriter.h"
#include "support/XSession.h"

#include <gtest/gtest.h>

using namespace korvel::test;

namespace {

const std::string kExample = std::string(KORVEL_BIN_DIR) + "/sound-example";
constexpr int kRate = 22050;
constexpr double kAmplitude = 0.4;
constexpr double kEffectHz = 450;
constexpr double kMusicHz = 900;
// No such SDL audio driver exists anywhere, so the device cannot open whatever the machine has.
const std::string kNoDevice = "SDL_AUDIODRIVER=nosuchdriver";

std::string WriteTone(const TempDir& dir, const std::string& name, double frequency, double seconds) {
    ToneShape tone;
    tone.frequency = frequency;
    tone.seconds = seconds;
    tone.amplitude = kAmplitude;
    WriteToneWav(dir.File(name), tone);
    return dir.File(name);
}

int RunExample(const std::string& environment, const std::string& args, std::string* output) {
    return RunCommand("env " + environment + " " + korvel::test::ShellQuote(kExample) + " " + args +
                          " 2>/dev/null",
                      output);
}

TEST(SoundExample, DiskCaptureHoldsTheEffectAndTheMusic) {
    TempDir dir;
    std::string effect = WriteTone(dir, "effect.wav", kEffectHz, 0.3);
    std::string music = WriteTone(dir, "music.wav", kMusicHz, 0.6);
    std::string capture = dir.File("capture.raw");
    std::string log;
    ASSERT_EQ(RunExample("SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=" + capture, effect + " " + music, &log), 0)
        << log;
    EXPECT_EQ(log.find("Failed"), std::string::npos) << log;

    std::vector<int16_t> samples = ReadCapture(capture, 2, kRate, kEffectHz);
    std::vector<Burst> bursts = FindBursts(samples, 64, 2000);
    ASSERT_EQ(bursts.size(), 1u);
    // Both start together; the music lasts twice as long as the effect.
    EXPECT_NEAR(static_cast<double>(bursts[0].Length()), 0.6 * kRate, 8);
    Burst both{bursts[0].begin, bursts[0].begin + kRate / 5};
    Burst musicOnly{bursts[0].end - kRate / 5, bursts[0].end};
    EXPECT_NEAR(ToneAmplitude(samples, both, kRate, kEffectHz), kAmplitude, 0.04);
    EXPECT_NEAR(ToneAmplitude(samples, both, kRate, kMusicHz), kAmplitude, 0.04);
    EXPECT_NEAR(ToneAmplitude(samples, musicOnly, kRate, kMusicHz), kAmplitude, 0.04);
    EXPECT_LT(ToneAmplitude(samples, musicOnly, kRate, kEffectHz), 0.02);
}

TEST(SoundExample, WithoutADeviceReportsItAndFailsTheLoads) {
    TempDir dir;
    std::string effect = WriteTone(dir, "effect.wav", kEffectHz, 0.1);
    std::string log;
    EXPECT_EQ(RunExample(kNoDevice, effect + " " + effect, &log), 1);
    EXPECT_NE(log.find("Initialize Utils...done\nUnable to open audio\nInitialize Sound Manager...done\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Failed to load sound: " + effect + "\nFailed to load music " + effect + "\n"),
              std::string::npos)
        << log;

    EXPECT_EQ(RunExample("SDL_AUDIODRIVER=dummy", effect, &log), 2);
}

TEST(Viewer, RunsOnWithoutAnAudioDevice) {
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    ProgramRun viewer(display, kViewer, {}, KORVEL_RUNTIME_DIR, {kNoDevice});
    // The frame rate reaches the caption only once frames are being drawn.
    ASSERT_TRUE(viewer.WaitForWindow(kViewerRunning)) << viewer.Stdout() << viewer.Stderr();
    viewer.Key("Escape");
    EXPECT_EQ(viewer.Wait(), 0) << viewer.Stderr();
    EXPECT_NE(viewer.Stdout().find("Initialize Utils...done\n"
                                   "Unable to open audio\n"
                                   "Initialize Sound Manager...done\n"
                                   "Initialize Shader Manager...done\n"),
              std::string::npos)
        << viewer.Stdout();
}

} // namespace
