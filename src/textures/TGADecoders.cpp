// The two pixel decoders of CTGATexture: raw pixels (type 2) and run-length packets (type 10). Both
// turn the stored B,G,R(,A) order into R,G,B(,A).
#include "textures/TGATexture.h"

#include "textures/TGAStream.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies `count` pixels of N bytes from B,G,R(,A) to R,G,B(,A), one byte at a time; `from` and `to`
// may be the same.
template <uint32_t N> void ReorderBytes(uint8_t* to, const uint8_t* from, size_t count) {
    for (size_t i = 0; i < count; ++i, to += N, from += N) {
        uint8_t blue = from[0];
        to[0] = from[2];
        to[1] = from[1];
        to[2] = blue;
        if (N == 4) {
            to[3] = from[3];
        }
    }
}

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
const bool kLittleEndian = true;
#else
const bool kLittleEndian = false;
#endif

uint64_t Load64(const uint8_t* at) {
    uint64_t word;
    std::memcpy(&word, at, 8);
    return word;
}

void Store64(uint8_t* at, uint64_t word) {
    std::memcpy(at, &word, 8);
}

// The same reordering eight bytes at a time: on a little-endian machine blue moves two bytes up and
// red two bytes down inside 64-bit words, and the bytes that cross a word boundary are carried over.
// Eight 24-bit pixels fill three words exactly; two 32-bit pixels fill one.
template <uint32_t N> void Reorder(uint8_t* to, const uint8_t* from, size_t count) {
    if (!kLittleEndian) {
        ReorderBytes<N>(to, from, count);
        return;
    }
    if (N == 4) {
        for (; count >= 2; count -= 2, to += 8, from += 8) {
            uint64_t w = Load64(from);
            Store64(to, (w & 0xff00ff00ff00ff00ull) | ((w >> 16) & 0x000000ff000000ffull) |
                            ((w & 0x000000ff000000ffull) << 16));
        }
    } else {
        for (; count >= 8; count -= 8, to += 24, from += 24) {
            uint64_t w0 = Load64(from), w1 = Load64(from + 8), w2 = Load64(from + 16);
            Store64(to, (w0 & 0xff0000ff0000ff00ull) | ((w0 & 0xff0000ffull) << 16) |
                            ((w0 & 0xff0000ff0000ull) >> 16) | ((w1 & 0xff) << 48));
            Store64(to + 8, (w1 & 0xff0000ff0000ull) | ((w1 & 0xff0000ff00ull) << 16) |
                                ((w1 & 0xff0000ff000000ull) >> 16) | ((w0 >> 48) & 0xff) |
                                (((w2 >> 8) & 0xff) << 56));
            Store64(to + 16, (w2 & 0xff0000ff0000ffull) | ((w2 & 0xff0000ff0000ull) << 16) |
                                 ((w2 & 0xff0000ff00000000ull) >> 16) | (((w1 >> 56) & 0xff) << 8));
        }
    }
    ReorderBytes<N>(to, from, count);
}

// Stores one stored pixel `count` times, reordered.
template <uint32_t N> void Repeat(uint8_t* to, const uint8_t* from, size_t count) {
    uint8_t pixel[N];
    ReorderBytes<N>(pixel, from, 1);
    if (N == 4) {
        uint32_t word;
        std::memcpy(&word, pixel, 4);
        for (size_t i = 0; i < count; ++i, to += 4) {
            std::memcpy(to, &word, 4);
        }
    } else {
        for (size_t i = 0; i < count; ++i, to += N) {
            std::memcpy(to, pixel, N);
        }
    }
}

enum class RunLength { Done, MissingHeader, ShortRawPixel, ShortRunPixel, TooManyPixels };

// Decodes packets until pixelCount pixels are stored. A packet header byte 128..255 repeats the one
// pixel that follows (header - 127) times; 0..127 is followed by (header + 1) pixels. Packets may
// cross rows. The outcome of a short or overlong file is that of reading pixel by pixel: a raw
// packet reports a short pixel before it reports one too many.
template <uint32_t N> RunLength DecodeRunLength(CTGAStream& stream, uint8_t* out, uint32_t pixelCount) {
    const size_t largestPacket = 1 + 128 * N;
    uint32_t current = 0;
    while (current < pixelCount) {
        // Only the end of the source makes this shorter than a whole packet.
        size_t available = stream.Fill(largestPacket);
        if (available == 0) {
            return RunLength::MissingHeader;
        }
        const uint8_t* packet = stream.Data();
        const uint32_t remaining = pixelCount - current;
        if (packet[0] & 0x80) {
            const uint32_t count = packet[0] - 127u;
            if (available < 1 + N) {
                return RunLength::ShortRunPixel;
            }
            if (count > remaining) {
                return RunLength::TooManyPixels;
            }
            Repeat<N>(out, packet + 1, count);
            stream.Advance(1 + N);
            out += size_t{count} * N;
            current += count;
        } else {
            const uint32_t count = packet[0] + 1u;
            const size_t readable = (available - 1) / N;
            if (count > remaining) {
                return readable > remaining ? RunLength::TooManyPixels : RunLength::ShortRawPixel;
            }
            if (readable < count) {
                return RunLength::ShortRawPixel;
            }
            Reorder<N>(out, packet + 1, count);
            stream.Advance(1 + size_t{count} * N);
            out += size_t{count} * N;
            current += count;
        }
    }
    return RunLength::Done;
}

} // namespace

bool CTGATexture::LoadUncompressedTGA(CTGAStream& stream, const char* path) {
    // A file shorter than its pixels got a smaller buffer (ReadInfo) and cannot be read into it.
    uint8_t* pixels = image.pixels.data();
    if (stream.Remaining() < imageSize || stream.Read(pixels, imageSize) != imageSize) {
        Report("Could not read image data: ", path);
        FreeImage();
        return false;
    }
    if (bytesPerPixel == 3) {
        Reorder<3>(pixels, pixels, imageSize / 3);
    } else {
        Reorder<4>(pixels, pixels, imageSize / 4);
    }
    return true;
}

bool CTGATexture::LoadCompressedTGA(CTGAStream& stream, const char* path) {
    const uint32_t pixelCount = imageSize / bytesPerPixel;
    uint8_t* pixels = image.pixels.data();
    RunLength result = bytesPerPixel == 3 ? DecodeRunLength<3>(stream, pixels, pixelCount)
                                          : DecodeRunLength<4>(stream, pixels, pixelCount);
    switch (result) {
    case RunLength::Done:
        return true;
    case RunLength::MissingHeader:
        Report("Could not read RLE header: ", path);
        break;
    case RunLength::ShortRawPixel:
        Report("Could not read image data: ", path);
        break;
    case RunLength::ShortRunPixel:
        Report("Could not read from file: ", path);
        break;
    case RunLength::TooManyPixels:
        Report("Too many pixels read: ", path);
        break;
    }
    FreeImage();
    return false;
}
