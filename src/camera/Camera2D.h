/// \class CCamera2D
/// A 2D view offset: the shift the camera manager applies to what is drawn after the engine's update.
#pragma once

#include <utility>

class CCamera2D {
public:
    CCamera2D();
    CCamera2D(float x, float y); ///< An offset of (x, y).
    ~CCamera2D();

    void Set(float x, float y); ///< Sets the offset to (x, y).
    /// Moves the offset right by v.
    void AddX(float v) { x += v; }
    /// Moves the offset left by v.
    void SubtractX(float v) { x -= v; }
    /// Moves the offset down by v.
    void AddY(float v) { y += v; }
    /// Moves the offset up by v.
    void SubtractY(float v) { y -= v; }
    /// Moves the offset by (dx, dy).
    void Offset(float dx, float dy);
    /// The offset as (x, y).
    std::pair<float, float> GetPosition() const { return {x, y}; }

    float x; ///< Horizontal offset in pixels.
    float y; ///< Vertical offset in pixels.
};
