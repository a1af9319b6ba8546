/// \class CMusic
/// One music track (any format the mixer's music interface reads). The mixer plays one track at a
/// time, so starting a track stops the music first. Once loaded it belongs to the sound manager.
#pragma once

#include <SDL_mixer.h>
#include <cstdint>
#include <string>
#include <vector>

class CMusic {
public:
    /// Loads the track unless the path is empty.
    explicit CMusic(const std::string& path);
    /// Stops the music (any track), leaves the manager's list (if listed), then frees this track.
    ~CMusic();

    /// Loads the track and hands it to the manager; false (with a message) when it cannot.
    bool Load(const std::string& path);
    /// Stops the music, then starts this track; loops goes to the mixer unchanged.
    void Play(int loops);
    /// Stops the music and asks the manager to unlist and delete this track.
    void Unload();

    CMusic(const CMusic&) = delete;
    CMusic& operator=(const CMusic&) = delete;

    Mix_Music* music; ///< The mixer's track; null when it did not load.
    std::string name; ///< The file it came from.

private:
    std::vector<uint8_t> data; ///< The file's bytes, which the mixer reads from while the track lives.
};
