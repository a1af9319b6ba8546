// Pixel counts of PNG files through ImageMagick, for judging screenshots of real programs.
#pragma once

#include <string>

namespace korvel::test {

// How many pixels of a region of `png` satisfy an ImageMagick -fx condition on r, g, b (0..1), or -1
// when the file cannot be read.
int CountPixels(const std::string& png, int x, int y, int w, int h, const std::string& condition);

// Conditions for the engine's usual colours: the font's light text, the hobgoblin's green skin and
// the orange logo.
extern const char* const kLightText;
extern const char* const kGreenSkin;
extern const char* const kOrangeLogo;

} // namespace korvel::test
