// Picture files read through SDL_image, with a look at a PNG file's chunk layout first. Its PNG reader
// does not stop at the end of a file cut short: libpng is handed the same bytes again and loops on
// them for ever (a file cut inside an ancillary chunk repeats "CRC error" warnings without end). Files
// cut before their image data are refused up front; files that lose only what follows the image data
// are closed again, and refused by libpng when their image data turns out incomplete.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct SDL_Surface;

// The picture in a picture file's bytes; null, with SDL's error set, when it cannot be read. name
// stands for the file (its extension tells SDL_image a TGA picture, which has no signature).
SDL_Surface* ReadImageMemory(const void* bytes, size_t size, const std::string& name);
