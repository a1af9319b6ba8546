// Little-endian output for the file writers.
#pragma once

#include <cstdint>
#include <vector>

namespace korvel::files {

// The low `bytes` bytes of `value`, lowest first.
inline void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

} // namespace korvel::files
