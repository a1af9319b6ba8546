// Little-endian reads from byte buffers, independent of the host's byte order and alignment.
#pragma once

#include <cstdint>
#include <cstring>

inline int32_t ReadInt32LE(const uint8_t* p) {
    uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                 static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(v);
}

inline int16_t ReadInt16LE(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
}

inline float ReadFloatLE(const uint8_t* p) {
    uint32_t bits = static_cast<uint32_t>(ReadInt32LE(p));
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
