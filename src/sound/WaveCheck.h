// A sound or music file read for the mixer. The mixer's WAV readers hang, overflow their stack or free
// twice on some damaged headers (a missing data chunk, a chunk longer than the file, no channels, a
// sample rate it cannot convert), so such files are refused up front, and every refusal says why in
// the user's terms.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <string>
#include <vector>

// Reads the file (on disk or inside an archive) into `bytes`: "" when it can go to the mixer, else why
// not (missing, a folder, empty, unreadable, or a RIFF/WAVE file whose chunks or format are unusable).
// Files that are not WAV files are not judged here: the mixer reports those itself.
std::string ReadSoundFile(const std::string& path, std::vector<uint8_t>& bytes);

// Why a sound or music file the mixer refused cannot be used, in words that fit the file: a sample
// size the mixer cannot read, or else the mixer's own error text.
std::string SoundFileProblem(const std::vector<uint8_t>& bytes, const std::string& mixerError);

// A stream over the file's bytes for the mixer, which must outlive it; path names the file (the
// browser's mixer names it when a decode fails later).
SDL_RWops* SoundStream(const std::vector<uint8_t>& bytes, const std::string& path);
