// A look at a RIFF/WAVE file's chunk layout before the mixer reads it. The mixer's WAV readers hang,
// overflow their stack or free twice on some damaged headers (a missing data chunk, a chunk longer
// than the file, no channels, a sample rate it cannot convert), so such files are refused up front.
#pragma once

#include <string>

// True when the file is a RIFF/WAVE file whose chunks or format are unusable. Files that are not
// WAV files, or cannot be read, are not judged here: the mixer reports those itself.
bool IsDamagedWave(const std::string& path);
