// What the GUI's pictures share: colours mixed, pictures saved, and push buttons animated on hover.
#pragma once

#include "Canvas.h"

#include <string>

namespace assetgen {

// Writes the canvas as an RGBA PNG; false after a message when it cannot.
bool Save(const Canvas& canvas, const std::string& path);
// "<prefix>1.png" to "<prefix>5.png": a width x height button of colour `base` carrying `icon`,
// lightening and warming its rim frame by frame while the mouse rests on it.
bool MakeButton(const std::string& prefix, Rgba base, const Shape& icon, int width, int height);

} // namespace assetgen
