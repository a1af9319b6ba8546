// sound-example EFFECT MUSIC: plays a sound effect and a music track once each through the engine's
// sound manager, waits until both have ended (five seconds at most) and ends. No video mode is
// needed: the engine opens the audio device while it starts. Each file that loaded is named on
// standard output. Built for the browser as sound.html (scripts/build-web).
//
// Exit status: 0 when both files played, 1 when either could not be loaded, 2 on a wrong command line.
#include <korvel/app/App.h>
#include <korvel/app/RunApp.h>
#include <korvel/sound/Music.h>
#include <korvel/sound/Sound.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdio>
#include <string>

namespace {

constexpr Uint32 kLongestWaitMs = 5000;
// One mixing buffer (4096 frames at 22050 Hz) and a little more, so the device plays out the end.
constexpr Uint32 kDrainMs = 250;

class SoundExample : public CApp {
public:
    SoundExample(const std::string& effectPath, const std::string& musicPath)
        : effectPath(effectPath), musicPath(musicPath), effect(nullptr), music(nullptr) {}

    // A file that loaded belongs to the sound manager; one that did not is still ours.
    ~SoundExample() override {
        if (effect && !effect->chunk) {
            delete effect;
        }
        if (music && !music->music) {
            delete music;
        }
    }

    void Init() override {
        effect = new CSound(effectPath);
        music = new CMusic(musicPath);
        if (effect->chunk) {
            std::printf("Loaded effect %s\n", effectPath.c_str());
        }
        if (music->music) {
            std::printf("Loaded music %s\n", musicPath.c_str());
        }
    }

    void Run() override {
        while (Step()) {
            SDL_Delay(10);
        }
        SDL_Delay(kDrainMs);
    }

    // The first step starts both; each step after says whether either still plays (a browser page
    // takes one step a frame, and its audio device plays on by itself after the last).
    bool Step() override {
        if (!started) {
            effect->Play(0);
            music->Play(0);
            start = SDL_GetTicks();
            started = true;
        }
        return (Mix_Playing(-1) > 0 || Mix_PlayingMusic()) && SDL_GetTicks() - start < kLongestWaitMs;
    }

    void Shutdown() override {}
    void Reserved1() override {}
    void Reserved2() override {}

    bool BothLoaded() const { return effect->chunk && music->music; }

private:
    std::string effectPath;
    std::string musicPath;
    CSound* effect;
    CMusic* music;
    bool started = false;
    Uint32 start = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sound-example EFFECT MUSIC\n");
        return 2;
    }
    return RunApp([&] { return new SoundExample(argv[1], argv[2]); },
                  [](CApp& app) { return static_cast<SoundExample&>(app).BothLoaded() ? 0 : 1; });
}
