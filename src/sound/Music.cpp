#include "sound/Music.h"

#include "base/Registry.h"
#include "sound/SoundManager.h"
#include "sound/WaveCheck.h"

#include <algorithm>
#include <iostream>

CMusic::CMusic(const std::string& path) : music(nullptr), name(path) {
    if (!path.empty()) {
        Load(path);
    }
}

CMusic::~CMusic() {
    // Once the manager is gone the device is closed; only the track itself is left to free.
    if (gSoundManager) {
        gSoundManager->HaltMusic();
        // A listed track deleted by its user must leave the list, or the manager would delete it again.
        std::vector<CMusic*>& tracks = gSoundManager->tracks;
        tracks.erase(std::remove(tracks.begin(), tracks.end(), this), tracks.end());
    }
    if (music) {
        Mix_FreeMusic(music);
    }
}

bool CMusic::Load(const std::string& path) {
    std::string problem = CSoundManager::LoadProblem(path);
    Mix_Music* loaded = nullptr;
    if (problem.empty()) {
        loaded = Mix_LoadMUS(path.c_str());
        if (!loaded) {
            problem = SoundFileProblem(path, Mix_GetError());
        }
    }
    if (!loaded) {
        std::cout << "Failed to load music " << path << std::endl;
        std::cerr << path << ": " << problem << std::endl;
        return false;
    }
    // Loading again replaces the track as deleting it would: the music stops first.
    if (music) {
        gSoundManager->HaltMusic();
        Mix_FreeMusic(music);
    }
    music = loaded;
    name = path;
    std::vector<CMusic*>& tracks = gSoundManager->tracks;
    if (std::find(tracks.begin(), tracks.end(), this) == tracks.end()) {
        gSoundManager->AddMusic(this);
    }
    return true;
}

void CMusic::Play(int loops) {
    if (!music) {
        return;
    }
    if (gSoundManager) {
        gSoundManager->HaltMusic();
    }
    Mix_PlayMusic(music, loops);
}

void CMusic::Unload() {
    if (!music) {
        return;
    }
    if (gSoundManager) {
        gSoundManager->HaltMusic();
        gSoundManager->RemoveMusic(this);
    } else {
        delete this;
    }
}
