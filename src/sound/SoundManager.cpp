#include "sound/SoundManager.h"

#include "base/Registry.h"
#include "sound/Music.h"
#include "sound/Sound.h"
#include "sound/WaveCheck.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <iostream>

namespace {

int ClampVolume(int volume) {
    return std::clamp(volume, 0, MIX_MAX_VOLUME);
}

// Unlists the first entry equal to item, keeping the order of the rest, and deletes item.
template <typename T> void RemoveAndDelete(std::vector<T*>& list, T* item) {
    if (!item) {
        return;
    }
    auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end()) {
        list.erase(found);
    }
    delete item;
}

// First to last, each object once: every entry of it leaves the list before it is deleted, so one
// added twice by hand is not deleted twice and its destructor finds nothing left to unlist.
template <typename T> void DeleteAll(std::vector<T*>& list) {
    while (!list.empty()) {
        T* item = list.front();
        list.erase(std::remove(list.begin(), list.end(), item), list.end());
        delete item;
    }
}

} // namespace

CSoundManager::CSoundManager() : soundVolume(MIX_MAX_VOLUME), musicVolume(MIX_MAX_VOLUME) {
    SDL_Init(SDL_INIT_AUDIO);
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0) {
        std::cout << "Unable to open audio" << std::endl;
        SDL_Quit();
    }
}

CSoundManager::~CSoundManager() {
    DeleteAll(sounds);
    HaltMusic();
    DeleteAll(tracks);
    Mix_CloseAudio();
}

bool CSoundManager::IsDeviceOpen() {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    return Mix_QuerySpec(&frequency, &format, &channels) != 0;
}

std::string CSoundManager::LoadProblem(const std::string& path, std::vector<uint8_t>& bytes) {
    if (!gSoundManager) {
        return "there is no sound manager";
    }
    if (!IsDeviceOpen()) {
        return "the audio device is not open";
    }
    return ReadSoundFile(path, bytes);
}

void CSoundManager::SetSoundVolume(int volume) {
    soundVolume = ClampVolume(volume);
    // The mixer keeps its channel count after a close but not the channels: touching them then
    // would read freed memory, so the value is only stored until a device is open.
    if (IsDeviceOpen()) {
        Mix_Volume(-1, soundVolume);
    }
}

void CSoundManager::SetMusicVolume(int volume) {
    musicVolume = ClampVolume(volume);
    Mix_VolumeMusic(musicVolume);
}

int CSoundManager::GetSoundVolume() const {
    return soundVolume;
}

int CSoundManager::GetMusicVolume() const {
    return musicVolume;
}

void CSoundManager::AddSound(CSound* sound) {
    sounds.push_back(sound);
}

void CSoundManager::RemoveSound(CSound* sound) {
    RemoveAndDelete(sounds, sound);
}

void CSoundManager::AddMusic(CMusic* music) {
    tracks.push_back(music);
}

void CSoundManager::RemoveMusic(CMusic* music) {
    RemoveAndDelete(tracks, music);
}

void CSoundManager::HaltMusic() {
    if (Mix_PlayingMusic() == 1) {
        Mix_HaltMusic();
    }
}

void CSoundManager::PlaySound(unsigned index, int loops) {
    if (index < sounds.size() && sounds[index]) {
        sounds[index]->Play(loops);
    }
}

void CSoundManager::PlayMusic(unsigned index, int loops) {
    if (index < tracks.size() && tracks[index]) {
        tracks[index]->Play(loops);
    }
}
