// Keeps the 2D view offsets and applies the current one every frame.
#pragma once

class CCameraManager {
public:
    CCameraManager();
    ~CCameraManager();

    // Shifts the following drawing by the current 2D offset, if any offset was added.
    void Apply();
};
