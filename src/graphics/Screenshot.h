/// \class CScreenshot
/// Saves what the current frame drew as a PNG file. The back buffer is read before the swap: the front
/// buffer can read back black (as under Xvfb).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CScreenshot {
public:
    /// The frame's pixels in the rectangle from (x, y) (GL's window coordinates, from the bottom
    /// left), as opaque RGBA with the top row first.
    static std::vector<uint8_t> ReadBackBuffer(int x, int y, int width, int height);
    /// Reads the width x height back buffer and writes it to path; false with `error` set on failure.
    static bool SaveBackBuffer(const std::string& path, int width, int height, std::string* error);
    /// The first "PREFIX-NNNN.png" in folder that does not exist yet (NNNN from 0001).
    static std::string NextFreeName(const std::string& folder, const std::string& prefix);
};
