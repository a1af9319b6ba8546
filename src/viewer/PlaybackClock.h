// The viewer's animation clock: SDL's ticks run at a chosen speed (1/8 to 8 times), so the model's
// key frames follow at that rate. At speed 1 it gives SDL's ticks unchanged.
#pragma once

#include <cstdint>

class CPlaybackClock {
public:
    static constexpr float kSlowest = 0.125f, kFastest = 8.0f;

    // Makes this clock the models' animation clock, at `speed` (held within the limits).
    static void Install(float speed);
    // Changes the speed from now on; the clock runs on from where it stands, without a jump.
    static void SetSpeed(float speed);
    static float Speed();
    // The ticks at the current speed; the models' tick source.
    static uint32_t Ticks();
};
