#include "sound/Sound.h"

#include "base/Registry.h"
#include "sound/SoundManager.h"
#include "sound/WaveCheck.h"

#include <SDL.h>
#include <algorithm>
#include <iostream>

CSound::CSound(const std::string& path) : chunk(nullptr), name(path) {
    if (!path.empty()) {
        Load(path);
    }
}

CSound::~CSound() {
    // A listed sound deleted by its user must leave the list, or the manager would delete it again.
    if (gSoundManager) {
        std::vector<CSound*>& sounds = gSoundManager->sounds;
        sounds.erase(std::remove(sounds.begin(), sounds.end(), this), sounds.end());
    }
    if (chunk) {
        Mix_FreeChunk(chunk);
    }
}

bool CSound::Load(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string problem = CSoundManager::LoadProblem(path, bytes);
    Mix_Chunk* loaded = nullptr;
    if (problem.empty()) {
        // The mixer decodes the whole sound now; the bytes can go once it has.
        loaded = Mix_LoadWAV_RW(SoundStream(bytes, path), 1);
        if (!loaded) {
            problem = SoundFileProblem(bytes, Mix_GetError());
        }
    }
    if (!loaded) {
        std::cout << "Failed to load sound: " << path << std::endl;
        std::cerr << path << ": " << problem << std::endl;
        return false;
    }
    // Loading again replaces the samples; the sound stays listed once.
    if (chunk) {
        Mix_FreeChunk(chunk);
    }
    chunk = loaded;
    name = path;
    std::vector<CSound*>& sounds = gSoundManager->sounds;
    if (std::find(sounds.begin(), sounds.end(), this) == sounds.end()) {
        gSoundManager->AddSound(this);
    }
    return true;
}

void CSound::Play(int loops) {
    if (!chunk) {
        return;
    }
    if (Mix_PlayChannelTimed(-1, chunk, loops, -1) == -1) {
        std::cout << "Failed to play sound " << name << " " << SDL_GetError() << std::endl;
    }
}

void CSound::Free() {
    if (gSoundManager) {
        gSoundManager->RemoveSound(this);
    } else {
        delete this;
    }
}
