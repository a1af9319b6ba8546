#include "support/ImagePixels.h"

#include "support/TestSupport.h"

namespace korvel::test {

const char* const kLightText = "(r+g+b)/3 > 0.6";
const char* const kGreenSkin = "g > 0.15 && g > 1.2*r && g > 1.2*b";
const char* const kOrangeLogo = "r > 0.6 && g > 0.25 && b < 0.3";

int CountPixels(const std::string& png, int x, int y, int w, int h, const std::string& condition) {
    std::string out;
    std::string command = "convert " + ShellQuote(png) + " -crop " + std::to_string(w) + "x" +
                          std::to_string(h) + "+" + std::to_string(x) + "+" + std::to_string(y) +
                          " +repage -fx '" + condition + "' -format '%[fx:mean*w*h]' info:";
    if (RunCommand(command, &out) != 0 || out.empty()) {
        return -1;
    }
    return static_cast<int>(std::stod(out) + 0.5);
}

} // namespace korvel::test
