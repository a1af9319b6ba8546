// The bytes of a TGA image, from an open file (read in large blocks) or from memory, handed to the
// decoders sequentially. Short sources simply run dry: every read says how much it delivered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

class CTGAStream {
public:
    // Reads from an open file, starting where it stands; the caller keeps and closes the file. A
    // regular file ends where it ended when the stream was made, even if it grows meanwhile: the
    // decoder sizes its buffer by what is left and must never be handed more.
    explicit CTGAStream(FILE* file);
    // Reads from a buffer the caller keeps alive while the stream is used.
    CTGAStream(const uint8_t* data, size_t size);

    // Copies up to `count` bytes to `target` and answers how many arrived.
    size_t Read(uint8_t* target, size_t count);
    // Passes over up to `count` bytes and answers how many there were.
    size_t Skip(size_t count);
    // Makes up to `count` bytes contiguous at Data(); answers how many are there, fewer only when
    // the source ends sooner.
    size_t Fill(size_t count);
    // The bytes made available by the last Fill.
    const uint8_t* Data() const { return cursor; }
    // Consumes bytes made available by Fill.
    void Advance(size_t count) { cursor += count; }
    // How many bytes are left to read; SIZE_MAX when the source cannot tell (a pipe, say).
    size_t Remaining() const;

    CTGAStream(const CTGAStream&) = delete;
    CTGAStream& operator=(const CTGAStream&) = delete;

private:
    size_t Buffered() const { return static_cast<size_t>(limit - cursor); }

    // Reads up to `count` bytes from the file, never past the end it had when the stream was made.
    size_t ReadFile(uint8_t* target, size_t count);

    FILE* file;
    // Bytes of the file not yet read into `block` or a caller's buffer; SIZE_MAX when unknown.
    size_t fileLeft;
    std::vector<uint8_t> block;
    const uint8_t* cursor;
    const uint8_t* limit;
};
