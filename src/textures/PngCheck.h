// A look at a PNG file's chunk layout before SDL_image reads it. Its PNG reader does not stop at the
// end of a file cut short: libpng is handed the same bytes again and loops on them for ever (a file
// cut inside an ancillary chunk repeats "CRC error" warnings without end). Files cut before their
// image data are refused up front; files that lose only what follows the image data are closed again.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct SDL_Surface;

enum class PngLayout {
    // Not a PNG file, or unreadable: SDL_image reports those itself.
    Unjudged,
    // Every chunk lies inside the file, up to the closing IEND chunk.
    Whole,
    // The file ends after its image data but before its IEND chunk is whole (writers that stop early,
    // copies cut in the last bytes). The image data may still be complete.
    EndMissing,
    // The file ends before any whole image-data chunk, or a chunk before them runs past its end.
    CutShort,
};

PngLayout CheckPngLayout(const std::string& path);

// The file's whole chunks followed by a closing IEND chunk, for a file whose end is missing: libpng
// then meets a proper end instead of stale bytes, and itself refuses image data that is incomplete
// ("Not enough image data"). Empty when the file cannot be read.
std::vector<unsigned char> ClosedPng(const std::string& path);

// SDL_image reads the file, unless its PNG layout shows it cut short. A PNG that lost only its end
// is read from a copy closed again, and refused when its image data turns out incomplete. Null, with
// SDL's error set, when the file cannot be read.
SDL_Surface* ReadImageFile(const std::string& path);
// The same for a picture file already in memory; name stands for the file (its extension tells
// SDL_image a TGA picture, which has no signature).
SDL_Surface* ReadImageMemory(const void* bytes, size_t size, const std::string& name);
