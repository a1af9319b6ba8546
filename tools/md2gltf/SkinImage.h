// A skin image (PCX, PNG, TGA, BMP, JPEG: DecodedImage::Decode), encoded as a PNG file for the glTF texture. As the engine
// draws skins, a picture with an alpha channel is a cut-out (its pixels under half alpha are holes)
// and every other one is opaque (colour keys are dropped).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The image at path as PNG bytes, and whether it is a cut-out; false, with the reason in `error`,
// when it cannot be read.
bool ReadSkinAsPng(const std::string& path, std::vector<uint8_t>& png, bool& cutOut, std::string& error);
