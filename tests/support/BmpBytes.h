// Windows BMP files for the BMP loader's tests and as seeds for its fuzz target: the shared writer
// filled with a known pattern.
#pragma once

#include "FileBytes.h"

#include <cstdint>
#include <vector>

namespace korvel::test {

using files::BmpColour;
using files::BmpShape;

// The colour of pixel (x, y), y counted from the top row; palettised files round it to the palette.
BmpColour BmpPatternColour(int x, int y);

// The complete file of that shape, filled with BmpPatternColour.
std::vector<uint8_t> MakeBmp(const BmpShape& shape);

} // namespace korvel::test
