// PNG output for the generators: 8-bit RGBA pictures, written the same way on every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Writes `rgba` (width x height pixels, four bytes each, top row first) as an 8-bit RGBA PNG,
// creating the parent folders. Returns false after printing a message when it cannot.
bool WritePngRGBA(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

} // namespace assetgen
