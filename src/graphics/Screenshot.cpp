#include "graphics/Screenshot.h"

#include "base/GL.h"
#include "graphics/PngWriter.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <vector>

std::vector<uint8_t> CScreenshot::ReadBackBuffer(int x, int y, int width, int height) {
    const size_t row = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> bottomUp(row * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // The frame being drawn: the back buffer, or the framebuffer object that SDL 2's SDL 1.2 layer
    // has the program draw into, where asking for the back buffer is an error.
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    // GL counts rows from the bottom, pictures from the top; opaque whatever alpha was drawn.
    std::vector<uint8_t> rgba(bottomUp.size());
    for (int r = 0; r < height; ++r) {
        std::memcpy(&rgba[static_cast<size_t>(height - 1 - r) * row], &bottomUp[static_cast<size_t>(r) * row],
                    row);
    }
    for (size_t i = 3; i < rgba.size(); i += 4) {
        rgba[i] = 255;
    }
    return rgba;
}

bool CScreenshot::SaveBackBuffer(const std::string& path, int width, int height, std::string* error) {
    if (width <= 0 || height <= 0) {
        return CPngWriter::WriteRGBA(path, width, height, {}, error);
    }
    return CPngWriter::WriteRGBA(path, width, height, ReadBackBuffer(0, 0, width, height), error);
}

std::string CScreenshot::NextFreeName(const std::string& folder, const std::string& prefix) {
    for (int n = 1;; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "-%04d.png", n);
        std::string path = folder + "/" + prefix + name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0 || n >= 9999) {
            return path;
        }
    }
}
