// An image file as an OpenGL texture, drawn as a 2D quad in window pixels.
#pragma once

#include <string>

class CImage {
public:
    CImage();
    explicit CImage(const std::string& path);
    ~CImage();

    // Draws the whole image with its top-left corner at (x, y).
    void Draw(float x, float y, float scale, float angle, float r, float g, float b, float a);
    // Draws the whole image at its own position.
    void Draw(float scale, float angle, float r, float g, float b, float a);

    float GetWidth() const { return width; }
    float GetHeight() const { return height; }

    float width = 0.0f;
    float height = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
};
