#include "viewer/PlaybackClock.h"

#include "models/MD2Model.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

namespace {

float speed = 1.0f;
// The real tick and the clock's tick at the last change of speed.
uint32_t realAtChange = 0, clockAtChange = 0;

} // namespace

void CPlaybackClock::Install(float wanted) {
    realAtChange = clockAtChange = SDL_GetTicks();
    speed = std::clamp(wanted, kSlowest, kFastest);
    CMD2Model::SetTickSource(Ticks);
}

void CPlaybackClock::SetSpeed(float wanted) {
    clockAtChange = Ticks();
    realAtChange = SDL_GetTicks();
    speed = std::clamp(wanted, kSlowest, kFastest);
}

float CPlaybackClock::Speed() {
    return speed;
}

uint32_t CPlaybackClock::Ticks() {
    const uint32_t real = SDL_GetTicks() - realAtChange;
    return clockAtChange + static_cast<uint32_t>(std::llround(static_cast<double>(real) * speed));
}
