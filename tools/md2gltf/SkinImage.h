// A skin image of any format SDL_image reads, encoded as a PNG file for the glTF texture. Skins are
// opaque, as the engine draws them: alpha and colour keys are dropped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The image at path as PNG bytes; false, with SDL's reason in `error`, when it cannot be read.
bool ReadSkinAsPng(const std::string& path, std::vector<uint8_t>& png, std::string& error);
