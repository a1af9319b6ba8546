// The viewer's information overlay (I): file, animation, frames, key frame, speed, size, and the
// skin's name and number, printed at the left under the help text.
#pragma once

#include <string>

class CMD2Model;

struct OverlayFacts {
    std::string file;
    std::string skin;
    int skinIndex = 0;
    int skinCount = 0;
    float speed = 1.0f;
};

class CViewerOverlay {
public:
    static void Draw(const CMD2Model& model, const OverlayFacts& facts);
    // "1x", "4x", "1/8x".
    static std::string SpeedText(float speed);
};
