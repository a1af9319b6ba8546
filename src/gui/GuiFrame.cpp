#include "gui/GuiFrame.h"

#include "base/Registry.h"
#include "input/EventManager.h"
#include "text/Font.h"
#include "text/FontManager.h"

#include <SDL.h>

namespace {

// The event buffer holds the last event even in frames that took none, so the press or release
// counts only when this frame's poll delivered it. The type is taken at the event's own width: SDL
// 1.2 stores it in a byte, other SDL 1.2 implementations (the browser's) in 32 bits.
bool LeftButtonEvent(decltype(SDL_Event::type) type) {
    if (!gEventManager || !gEventManager->HasEvent()) {
        return false;
    }
    SDL_Event event = gEventManager->GetEvent();
    return event.type == type && event.button.button == SDL_BUTTON_LEFT;
}

} // namespace

bool GuiMouseInRect(float left, float top, float right, float bottom) {
    if (!gEventManager) {
        return false;
    }
    float mx = static_cast<float>(gEventManager->GetMouseX());
    float my = static_cast<float>(gEventManager->GetMouseY());
    return mx >= left && mx <= right && my >= top && my <= bottom;
}

bool GuiLeftPressed() {
    return LeftButtonEvent(SDL_MOUSEBUTTONDOWN);
}

bool GuiLeftReleased() {
    return LeftButtonEvent(SDL_MOUSEBUTTONUP);
}

void HoverPlace::Set(float red, float green, float blue, float alpha, float atX, float atY) {
    color[0] = red;
    color[1] = green;
    color[2] = blue;
    color[3] = alpha;
    x = atX;
    y = atY;
    enabled = true;
}

void HoverPlace::Print(const char* text) const {
    CFont* font = gFontManager ? gFontManager->GetFont(1) : nullptr;
    if (enabled && font && text) {
        font->PrintAt(x, y, 0, "%s", text);
    }
}
