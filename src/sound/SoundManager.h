/// \class CSoundManager
/// The audio manager: opens the audio device at start-up, owns every sound effect and music track that
/// loaded, sets the effect and music volumes, and closes the device at shutdown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CSound;
class CMusic;

class CSoundManager {
public:
    /// Opens the device (22050 Hz, signed 16-bit, stereo); on failure reports it and shuts SDL down.
    CSoundManager();
    /// Deletes every sound, stops the music, deletes every track, then closes the device.
    ~CSoundManager();

    /// Volume of every effect channel, clamped to 0..128.
    void SetSoundVolume(int volume);
    /// Volume of the music, clamped to 0..128.
    void SetMusicVolume(int volume);
    int GetSoundVolume() const; ///< Volume of the effect channels, 0 to 128.
    int GetMusicVolume() const; ///< Volume of the music, 0 to 128.

    /// Takes ownership of a loaded sound (appended, no duplicate check).
    void AddSound(CSound* sound);
    /// Unlists the sound if listed and deletes it in any case; null does nothing.
    void RemoveSound(CSound* sound);
    /// Takes ownership of a loaded track (appended, no duplicate check).
    void AddMusic(CMusic* music);
    /// Unlists the track if listed and deletes it in any case; null does nothing.
    void RemoveMusic(CMusic* music);
    /// Stops whatever music is playing.
    void HaltMusic();
    /// Plays the listed sound at index; an index past the list does nothing.
    void PlaySound(unsigned index, int loops);
    /// Plays the listed track at index; an index past the list does nothing.
    void PlayMusic(unsigned index, int loops);

    /// Whether the mixer has an open device; loading and setting channel volumes need one.
    static bool IsDeviceOpen();
    /// Why no sound or track can be loaded from the file now (no manager to own it, no open device, a
    /// file that cannot be read, a damaged WAV file the mixer would hang or crash on), or "" when the
    /// mixer may read it: its bytes (on disk or inside an archive) are then in `bytes`.
    static std::string LoadProblem(const std::string& path, std::vector<uint8_t>& bytes);

    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    std::vector<CSound*> sounds; ///< The effects, owned.
    std::vector<CMusic*> tracks; ///< The music tracks, owned.
    int32_t soundVolume;         ///< Volume of the effects, 0 to 128.
    int32_t musicVolume;         ///< Volume of the music, 0 to 128.
};
