#include "sound/Music.h"

#include "base/Registry.h"
#include "sound/SoundManager.h"
#include "sound/WaveCheck.h"

#include <algorithm>
#include <iostream>
#include <strings.h>
#include <utility>

namespace {

// The format a file's extension names, as the mixer guesses it for a file opened by name (a text file
// named .mp3 plays as silence); MUS_NONE leaves it to the first bytes.
Mix_MusicType TypeByName(const std::string& path) {
    const std::pair<const char*, Mix_MusicType> kTypes[] = {
        {"wav", MUS_WAV},   {"mid", MUS_MID}, {"midi", MUS_MID}, {"kar", MUS_MID}, {"ogg", MUS_OGG},
        {"flac", MUS_FLAC}, {"mpg", MUS_MP3}, {"mpeg", MUS_MP3}, {"mp3", MUS_MP3}, {"mad", MUS_MP3}};
    const size_t dot = path.rfind('.');
    for (const auto& [extension, type] : kTypes) {
        if (dot != std::string::npos && strcasecmp(path.c_str() + dot + 1, extension) == 0) {
            return type;
        }
    }
    return MUS_NONE;
}

} // namespace

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
    std::vector<uint8_t> bytes;
    std::string problem = CSoundManager::LoadProblem(path, bytes);
    Mix_Music* loaded = nullptr;
    if (problem.empty()) {
        // The mixer streams a track from its bytes while it plays, and closes the stream with it.
        loaded = Mix_LoadMUSType_RW(SoundStream(bytes, path), TypeByName(path), 1);
        if (!loaded) {
            problem = SoundFileProblem(bytes, Mix_GetError());
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
    data = std::move(bytes);
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
