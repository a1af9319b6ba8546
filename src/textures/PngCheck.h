// A look at a PNG file's chunk layout before SDL_image reads it. Its PNG reader does not stop at the
// end of a file cut short: libpng is handed the same bytes again and loops on them for ever (a file
// cut inside an ancillary chunk repeats "CRC error" warnings without end). Such files are refused
// up front.
#pragma once

#include <string>

// True when the file starts like a PNG but a chunk runs past its end, or it ends before the closing
// IEND chunk. Files that are not PNG files, or cannot be read, are not judged here: SDL_image
// reports those itself.
bool IsDamagedPng(const std::string& path);
