/// \class CScreenshot
/// Saves what the current frame drew as a PNG file. The back buffer is read before the swap: the front
/// buffer can read back black (as under Xvfb).
#pragma once

#include <string>

class CScreenshot {
public:
    /// Reads the width x height back buffer and writes it to path; false with `error` set on failure.
    static bool SaveBackBuffer(const std::string& path, int width, int height, std::string* error);
    /// The first "PREFIX-NNNN.png" in folder that does not exist yet (NNNN from 0001).
    static std::string NextFreeName(const std::string& folder, const std::string& prefix);
};
