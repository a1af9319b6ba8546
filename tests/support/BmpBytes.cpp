#include "support/BmpBytes.h"

namespace korvel::test {

BmpColour BmpPatternColour(int x, int y) {
    return {static_cast<uint8_t>(x * 40 + 10), static_cast<uint8_t>(y * 60 + 20),
            static_cast<uint8_t>((x + y) * 25 + 5)};
}

std::vector<uint8_t> MakeBmp(const BmpShape& shape) {
    return files::BmpBytes(shape, BmpPatternColour);
}

} // namespace korvel::test
