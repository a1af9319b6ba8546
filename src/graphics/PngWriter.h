/// \class CPngWriter
/// PNG output through libpng: 8-bit RGBA pictures, written the same bytes on every run (no time or
/// text chunks). Screenshots and the asset generator both write through it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CPngWriter {
public:
    /// Writes `rgba` (width x height pixels, four bytes each, top row first) to path. On failure
    /// returns false and, when `error` is given, says why in a few words followed by the path.
    static bool WriteRGBA(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba,
                          std::string* error = nullptr);
    /// The same PNG file as WriteRGBA writes, into `png` in memory. False for a bad picture size.
    static bool EncodeRGBA(int width, int height, const std::vector<uint8_t>& rgba,
                           std::vector<uint8_t>& png);
};
