// Opens the audio device and owns every sound effect and music track.
#pragma once

class CSoundManager {
public:
    CSoundManager();
    ~CSoundManager();
};
