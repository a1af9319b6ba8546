// A look at a RIFF/WAVE file's chunk layout before the mixer reads it. The mixer's WAV readers hang,
// overflow their stack or free twice on some damaged headers (a missing data chunk, a chunk longer
// than the file, no channels, a sample rate it cannot convert), so such files are refused up front,
// and every refusal says why in the user's terms.
#pragma once

#include <string>

// Why the file is a RIFF/WAVE file whose chunks or format are unusable, or "" when it is usable. Files
// that are not WAV files, or cannot be read, are not judged here: the mixer reports those itself.
std::string WaveDamage(const std::string& path);

// Why a sound or music file the mixer refused cannot be used, in words that fit the file: what the
// engine sees in it (missing, a folder, empty, a sample size the mixer cannot read) or else the
// mixer's own error text.
std::string SoundFileProblem(const std::string& path, const std::string& mixerError);
