// Records the blocks the process frees, so a test can tell whether an object was really deleted.
// It replaces the global operator new and delete: include it in exactly one file of a test executable.
#pragma once

#include <cstdlib>
#include <new>
#include <vector>

namespace korvel::test {

inline std::vector<void*>*& FreedLog() {
    static std::vector<void*>* log = nullptr;
    return log;
}

// Starts recording (forgetting what was recorded before); the log holds up to 4096 blocks.
inline void StartRecordingFrees() {
    static std::vector<void*> log;
    FreedLog() = nullptr;
    log.clear();
    log.reserve(4096);
    FreedLog() = &log;
}

inline void StopRecordingFrees() {
    FreedLog() = nullptr;
}

inline bool WasFreed(const void* p) {
    if (!FreedLog()) {
        return false;
    }
    for (void* f : *FreedLog()) {
        if (f == p) {
            return true;
        }
    }
    return false;
}

inline void RecordAndFree(void* p) noexcept {
    std::vector<void*>* log = FreedLog();
    // Never grows while recording, so recording itself allocates nothing.
    if (log && p && log->size() < log->capacity()) {
        log->push_back(p);
    }
    std::free(p);
}

} // namespace korvel::test

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    korvel::test::RecordAndFree(p);
}

void operator delete(void* p, std::size_t) noexcept {
    korvel::test::RecordAndFree(p);
}
