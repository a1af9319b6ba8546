// The mixer reads sounds from memory; the browser build has its own stream (platform/Browser_sound).
#include "sound/WaveCheck.h"

SDL_RWops* SoundStream(const std::vector<uint8_t>& bytes, const std::string&) {
    // Files come through CFileSystem, which reads at most 256 MiB: the length fits SDL's int.
    return SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
}
