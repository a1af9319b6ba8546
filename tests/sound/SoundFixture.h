// A sound manager made directly (no kernel, no display) on a chosen SDL audio driver, stored in the
// registry slot as the kernel would, with tone files to load.
#pragma once

#include "base/Registry.h"
#include "sound/SoundManager.h"
#include "support/TestSupport.h"
#include "support/WavWriter.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace korvel::test {

class SoundFixture {
protected:
    // Opens the manager on the driver; the disk driver writes what it mixes to CapturePath(), pausing
    // diskDelayMs between buffers (SDL's own default when null).
    void OpenManager(const char* driver, const char* diskDelayMs = nullptr) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", CapturePath().c_str(), 1);
        if (diskDelayMs) {
            setenv("SDL_DISKAUDIODELAY", diskDelayMs, 1);
        } else {
            unsetenv("SDL_DISKAUDIODELAY");
        }
        manager = new CSoundManager;
        gSoundManager = manager;
    }

    // Deletes the manager (closing the device, which ends the capture) and empties the slot.
    void CloseManager() {
        delete manager;
        manager = nullptr;
        gSoundManager = nullptr;
    }

    void CloseAll() {
        CloseManager();
        SDL_Quit();
    }

    std::string CapturePath() const { return dir.File("capture.raw"); }

    // A tone file in the test's folder.
    std::string Tone(const std::string& name, const ToneShape& tone) {
        std::string path = dir.File(name);
        WriteToneWav(path, tone);
        return path;
    }
    std::string Tone(const std::string& name, double frequency, double seconds) {
        ToneShape tone;
        tone.frequency = frequency;
        tone.seconds = seconds;
        return Tone(name, tone);
    }

    // Waits until no effect channel and no music plays, or the time runs out; true when all ended.
    static bool WaitForSilence(Uint32 limitMs) {
        Uint32 start = SDL_GetTicks();
        while (Mix_Playing(-1) > 0 || Mix_PlayingMusic()) {
            if (SDL_GetTicks() - start > limitMs) {
                return false;
            }
            SDL_Delay(5);
        }
        return true;
    }

    TempDir dir;
    CSoundManager* manager = nullptr;
};

} // namespace korvel::test
