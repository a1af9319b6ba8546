// The bytes of a TGA image, in memory, handed to the decoders sequentially. A short buffer simply
// runs dry: every read says how much it delivered.
#pragma once

#include <cstddef>
#include <cstdint>

class CTGAStream {
public:
    // Reads from a buffer the caller keeps alive while the stream is used.
    CTGAStream(const uint8_t* data, size_t size);

    // Copies up to `count` bytes to `target` and answers how many arrived.
    size_t Read(uint8_t* target, size_t count);
    // Passes over up to `count` bytes and answers how many there were.
    size_t Skip(size_t count);
    // Answers how many of the next `count` bytes are at Data(); fewer only when the buffer ends
    // sooner.
    size_t Fill(size_t count) const { return count < Remaining() ? count : Remaining(); }
    // The next unread byte.
    const uint8_t* Data() const { return cursor; }
    // Consumes bytes made available by Fill.
    void Advance(size_t count) { cursor += count; }
    // How many bytes are left to read.
    size_t Remaining() const { return static_cast<size_t>(limit - cursor); }

    CTGAStream(const CTGAStream&) = delete;
    CTGAStream& operator=(const CTGAStream&) = delete;

private:
    const uint8_t* cursor;
    const uint8_t* limit;
};
