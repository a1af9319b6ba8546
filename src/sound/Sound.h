/// \class CSound
/// One sound effect: a sample file (WAV or any format the mixer reads) held in memory and played on
/// the first free mixing channel. Once loaded it belongs to the sound manager.
#pragma once

#include <SDL_mixer.h>
#include <string>

class CSound {
public:
    /// Loads the file unless the path is empty.
    explicit CSound(const std::string& path);
    /// Leaves the manager's list (if listed) and frees the sample data.
    ~CSound();

    /// Loads the file and hands the sound to the manager; false (with a message) when it cannot.
    bool Load(const std::string& path);
    /// Plays the sound once plus loops repeats (-1 repeats until halted).
    void Play(int loops);
    /// Asks the manager to unlist and delete this sound; the object is gone afterwards.
    void Free();

    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    Mix_Chunk* chunk; ///< The mixer's chunk; null when it did not load.
    std::string name; ///< The file it came from.
};
