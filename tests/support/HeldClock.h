// The instances' animation clock held by a test: it reads `ticks` instead of SDL_GetTicks while the
// object lives.
#pragma once

#include "models/MD2Instance.h"

#include <cstdint>

namespace korvel::test {

class HeldClock {
public:
    explicit HeldClock(uint32_t start) {
        ticks = start;
        CMD2Instance::SetTickSource([] { return ticks; });
    }
    ~HeldClock() { CMD2Instance::SetTickSource(nullptr); }
    HeldClock(const HeldClock&) = delete;
    HeldClock& operator=(const HeldClock&) = delete;

    // The tick the clock shows.
    static inline uint32_t ticks = 0;
};

} // namespace korvel::test
