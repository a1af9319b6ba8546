// BMP output for the generators: 24-bit pictures such as the model skins, written the same way on
// every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Writes `rgb` (width x height pixels, three bytes each, top row first) as an uncompressed 24-bit
// BMP with its rows bottom-up, creating the parent folders. Returns false after printing a message.
bool WriteBmpRGB(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

} // namespace assetgen
