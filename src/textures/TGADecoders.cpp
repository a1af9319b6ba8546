// The two pixel decoders of CTGATexture: raw pixels (type 2) and run-length packets (type 10). Both
// turn the stored B,G,R(,A) order into R,G,B(,A).
#include "textures/TGATexture.h"

#include "textures/TGAStream.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies `count` pixels of N bytes from B,G,R(,A) to R,G,B(,A); `from` and `to` may be the same.
template <uint32_t N> void Reorder(uint8_t* to, const uint8_t* from, size_t count) {
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

// Stores one stored pixel `count` times, reordered.
template <uint32_t N> void Repeat(uint8_t* to, const uint8_t* from, size_t count) {
    uint8_t pixel[N];
    Reorder<N>(pixel, from, 1);
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
    if (stream.Read(imageData, imageSize) != imageSize) {
        Report("Could not read image data: ", path);
        FreeImage();
        return false;
    }
    if (bytesPerPixel == 3) {
        Reorder<3>(imageData, imageData, size_t{tgaWidth} * tgaHeight);
    } else {
        Reorder<4>(imageData, imageData, size_t{tgaWidth} * tgaHeight);
    }
    return true;
}

bool CTGATexture::LoadCompressedTGA(CTGAStream& stream, const char* path) {
    const uint32_t pixelCount = tgaWidth * tgaHeight;
    RunLength result = bytesPerPixel == 3 ? DecodeRunLength<3>(stream, imageData, pixelCount)
                                          : DecodeRunLength<4>(stream, imageData, pixelCount);
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
