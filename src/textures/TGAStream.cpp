#include "textures/TGAStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sys/stat.h>

namespace {

// Large enough that the per-call cost of fread vanishes, small enough to stay in the cache.
const size_t kBlockSize = 256 * 1024;

} // namespace

CTGAStream::CTGAStream(FILE* file) : file(file), fileLeft(SIZE_MAX), cursor(nullptr), limit(nullptr) {
    // Only a regular file knows its size.
    struct stat info;
    const long at = std::ftell(file);
    if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && at >= 0 && info.st_size >= at) {
        fileLeft = static_cast<size_t>(info.st_size - at);
    }
}

CTGAStream::CTGAStream(const uint8_t* data, size_t size)
    : file(nullptr), fileLeft(0), cursor(data), limit(data + size) {
    if (!data) {
        cursor = limit = nullptr;
    }
}

size_t CTGAStream::Read(uint8_t* target, size_t count) {
    size_t fromBlock = std::min(count, Buffered());
    if (fromBlock > 0) {
        std::memcpy(target, cursor, fromBlock);
        cursor += fromBlock;
    }
    if (fromBlock == count || !file) {
        return fromBlock;
    }
    // Large reads go straight from the file into the caller's buffer.
    return fromBlock + ReadFile(target + fromBlock, count - fromBlock);
}

size_t CTGAStream::ReadFile(uint8_t* target, size_t count) {
    const size_t arrived = std::fread(target, 1, std::min(count, fileLeft), file);
    if (fileLeft != SIZE_MAX) {
        fileLeft -= arrived;
    }
    return arrived;
}

size_t CTGAStream::Skip(size_t count) {
    size_t skipped = 0;
    while (skipped < count) {
        size_t available = Fill(std::min(count - skipped, kBlockSize));
        if (available == 0) {
            break;
        }
        Advance(available);
        skipped += available;
    }
    return skipped;
}

size_t CTGAStream::Fill(size_t count) {
    if (Buffered() >= count || !file) {
        return std::min(count, Buffered());
    }
    size_t kept = Buffered();
    size_t capacity = std::max(kBlockSize, count);
    if (block.size() < capacity) {
        std::vector<uint8_t> larger(capacity);
        if (kept > 0) {
            std::memcpy(larger.data(), cursor, kept);
        }
        block.swap(larger);
    } else if (kept > 0) {
        std::memmove(block.data(), cursor, kept);
    }
    size_t total = kept;
    while (total < count) {
        size_t arrived = ReadFile(block.data() + total, block.size() - total);
        if (arrived == 0) {
            break;
        }
        total += arrived;
    }
    cursor = block.data();
    limit = block.data() + total;
    return std::min(count, total);
}

size_t CTGAStream::Remaining() const {
    return fileLeft == SIZE_MAX ? SIZE_MAX : Buffered() + fileLeft;
}
