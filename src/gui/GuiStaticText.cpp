#include "gui/GuiStaticText.h"

#include "base/Registry.h"
#include "text/Font.h"
#include "text/FontManager.h"

#include <cmath>
#include <limits>

namespace {

// Truncates toward zero; values beyond the int range stop at its ends and NaN prints at 0, so a
// wild position never becomes undefined behaviour.
int32_t TruncateToInt(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483520.0f) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= -2147483648.0f) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

} // namespace

CGuiStaticText::CGuiStaticText()
    : x(0.0f), y(0.0f), color{1.0f, 1.0f, 1.0f, 1.0f}, text("Static Text"), fontSet(0), scaleX(1.0f),
      scaleY(1.0f) {}

CGuiStaticText::CGuiStaticText(const std::string& text) : CGuiStaticText() {
    this->text = text;
}

CGuiStaticText::CGuiStaticText(const std::string& text, float x, float y) : CGuiStaticText(text) {
    this->x = x;
    this->y = y;
}

CGuiStaticText::CGuiStaticText(const std::string& text, float x, float y, float red, float blue, float green,
                               float alpha)
    : CGuiStaticText(text, x, y) {
    SetColor(red, blue, green, alpha);
}

void CGuiStaticText::SetColor(float red, float blue, float green, float alpha) {
    color[0] = red;
    color[1] = blue;
    color[2] = green;
    color[3] = alpha;
}

void CGuiStaticText::SetScale(float sx, float sy) {
    scaleX = sx;
    scaleY = sy;
}

void CGuiStaticText::Draw() {
    DrawAt(x, y);
}

void CGuiStaticText::Draw(float originX, float originY) {
    DrawAt(originX + x, originY + y);
}

void CGuiStaticText::DrawAt(float atX, float atY) {
    CFont* font = gFontManager ? gFontManager->GetFont(1) : nullptr;
    if (!font) {
        return;
    }
    // The font takes a signed 8-bit set number and limits it itself.
    int set = fontSet & 0xFF;
    if (set > 127) {
        set -= 256;
    }
    font->PrintEx(TruncateToInt(atX), TruncateToInt(atY), set, color[0], color[2], color[1], color[3], scaleX,
                  scaleY, "%s", text.c_str());
}
