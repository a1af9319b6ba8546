#include "textures/TGAStream.h"

#include <cstring>

CTGAStream::CTGAStream(const uint8_t* data, size_t size) : cursor(data), limit(data ? data + size : data) {}

size_t CTGAStream::Read(uint8_t* target, size_t count) {
    const size_t arrived = Fill(count);
    if (arrived > 0) {
        std::memcpy(target, cursor, arrived);
        cursor += arrived;
    }
    return arrived;
}

size_t CTGAStream::Skip(size_t count) {
    const size_t skipped = Fill(count);
    cursor += skipped;
    return skipped;
}
