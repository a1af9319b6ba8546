// A 2D view offset: the shift the camera manager applies to what is drawn after the engine's update.
#pragma once

#include <utility>

class CCamera2D {
public:
    CCamera2D();
    CCamera2D(float x, float y);
    ~CCamera2D();

    void Set(float x, float y);
    void AddX(float v) { x += v; }
    void SubtractX(float v) { x -= v; }
    void AddY(float v) { y += v; }
    void SubtractY(float v) { y -= v; }
    // Moves the offset by (dx, dy).
    void Offset(float dx, float dy);
    // The offset as (x, y).
    std::pair<float, float> GetPosition() const { return {x, y}; }

    float x;
    float y;
};
