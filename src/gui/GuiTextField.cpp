#include "gui/GuiTextField.h"

#include "base/Registry.h"
#include "gui/GuiFrame.h"
#include "input/EventManager.h"
#include "text/Font.h"
#include "text/FontManager.h"
#include "textures/Image.h"

#include <SDL.h>
#include <algorithm>

namespace {

const float kGlyphWidth = 12.0f;
const float kGlyphHeight = 16.0f;
const float kInset = 5.0f;

} // namespace

CGuiTextField::CGuiTextField(const char* image, float x, float y, float width, float height, int32_t id)
    : x(x), y(y), width(width), height(height), id(id), image(new CImage(image ? image : "")) {
    this->image->SetWidth(width);
    this->image->SetHeight(height);
    // SDL then translates keys into the characters typed, so Shift gives capitals and '_'.
    SDL_EnableUNICODE(1);
}

CGuiTextField::~CGuiTextField() {
    delete image;
}

void CGuiTextField::SetText(const std::string& value) {
    text = value.substr(0, kMaxLength);
}

void CGuiTextField::SetVisible(bool value) {
    visible = value;
    if (!value) {
        focused = false;
    }
}

bool CGuiTextField::Type(int sym, int unicode, bool& changed) {
    changed = false;
    if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER || sym == SDLK_ESCAPE || sym == SDLK_TAB) {
        focused = false;
        return true;
    }
    if (sym == SDLK_BACKSPACE) {
        changed = !text.empty();
        if (changed) {
            text.pop_back();
        }
        return true;
    }
    // The character typed, where SDL translates keys; else the key's own symbol, which for letters,
    // digits and punctuation is its unshifted character. Other keys (function keys, arrows) are not
    // the field's.
    const int c = unicode > 0 && unicode < 128 ? unicode : sym;
    if (c < 32 || c > 126) {
        return false;
    }
    if (text.size() < kMaxLength) {
        text += static_cast<char>(c);
        changed = true;
    }
    return true;
}

void CGuiTextField::Update(float originX, float originY) {
    tookKey = false;
    if (!visible) {
        return;
    }
    const float left = originX + x, top = originY + y;
    if (GuiLeftPressed()) {
        focused = GuiMouseInRect(left, top, left + width, top + height);
    }
    if (focused && gEventManager && gEventManager->HasEvent() && gEventManager->IsEvent(EventKeyDown)) {
        const SDL_keysym key = gEventManager->GetEvent().key.keysym;
        bool changed = false;
        tookKey = Type(key.sym, key.unicode, changed);
        if (changed) {
            gEventManager->SetClickedWidget(id);
        }
    }
    Draw(left, top);
}

void CGuiTextField::Draw(float left, float top) {
    // The field with the keyboard glows warm.
    image->Draw(left, top, 1.0f, 0.0f, 1.0f, focused ? 0.85f : 1.0f, focused ? 0.55f : 1.0f, 1.0f);
    CFont* font = gFontManager ? gFontManager->GetFont(1) : nullptr;
    if (!font) {
        return;
    }
    const int textX = static_cast<int>(left + kInset);
    const int textY = static_cast<int>(top + (height - kGlyphHeight) * 0.5f);
    if (text.empty() && !focused) {
        font->PrintEx(textX, textY, 0, 0.55f, 0.55f, 0.55f, 1.0f, 1.0f, 1.0f, "%s", placeholder.c_str());
        return;
    }
    // The end of a long text stays in view, with the caret after it.
    const size_t room = static_cast<size_t>(std::max(1.0f, (width - 2.0f * kInset) / kGlyphWidth)) - 1;
    const std::string shown = text.size() > room ? text.substr(text.size() - room) : text;
    font->PrintEx(textX, textY, 0, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, "%s%s", shown.c_str(),
                  focused ? "|" : "");
}
