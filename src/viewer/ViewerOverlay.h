// The viewer's information overlay (I): file (or the place among the models browsed), animation, frames, key
// frame, speed, size, the skin's name and number and the parts on the model, printed at the left under the
// help text.
#pragma once

#include <string>
#include <vector>

class CMD2Model;

struct OverlayFacts {
    std::string file;
    // When browsing: "model K of N: PATH INSIDE", shown in place of the file's name.
    std::string place;
    std::string skin;
    int skinIndex = 0;
    int skinCount = 0;
    float speed = 1.0f;
    // What is on each of the model's tags and linked to it, a line each.
    std::vector<std::string> parts;
};

class CViewerOverlay {
public:
    static void Draw(const CMD2Model& model, const OverlayFacts& facts);
    // "1x", "4x", "1/8x".
    static std::string SpeedText(float speed);
};
