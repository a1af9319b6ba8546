#include "gui/GuiList.h"

#include "base/Registry.h"
#include "gui/GuiFrame.h"
#include "input/EventManager.h"
#include "text/Font.h"
#include "text/FontManager.h"
#include "textures/Image.h"

#include <SDL.h>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Glyphs of font 1 lie this many pixels apart at scale 1.
const float kGlyphWidth = 12.0f;
// Room between the list's edge and its rows.
const float kPad = 2.0f;
const float kSmallestThumb = 16.0f;

bool ContainsIgnoringCase(const std::string& text, const std::string& part) {
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

// A text cut at its front to `room` characters, so the end of a long path (its file name) stays.
std::string FitFromEnd(const std::string& text, size_t room) {
    if (text.size() <= room) {
        return text;
    }
    return room < 3 ? text.substr(text.size() - room) : ".." + text.substr(text.size() - (room - 2));
}

CImage* Art(const char* prefix, const char* part, float width, float height) {
    CImage* image = new CImage(std::string(prefix ? prefix : "") + part);
    image->SetWidth(width);
    image->SetHeight(height);
    return image;
}

} // namespace

CGuiList::CGuiList(const char* art, float x, float y, float width, float height, int32_t id)
    : x(x), y(y), width(width), height(height), id(id) {
    back = Art(art, "back.png", width, height);
    mark = Art(art, "mark.png", width - kBarWidth - 2.0f * kPad, kRowHeight);
    track = Art(art, "track.png", kBarWidth, height);
    thumb = Art(art, "thumb.png", kBarWidth, kSmallestThumb);
}

CGuiList::~CGuiList() {
    delete back;
    delete mark;
    delete track;
    delete thumb;
}

void CGuiList::SetItems(const std::vector<std::string>& newItems) {
    items = newItems;
    marked = -1;
    SetFilter(filter);
}

const std::string& CGuiList::GetItem(size_t index) const {
    static const std::string none;
    return index < items.size() ? items[index] : none;
}

void CGuiList::SetFilter(const std::string& text) {
    filter = text;
    shown.clear();
    for (size_t i = 0; i < items.size(); ++i) {
        if (ContainsIgnoringCase(items[i], filter)) {
            shown.push_back(i);
        }
    }
    first = 0;
    hovered = -1;
}

void CGuiList::SetMarked(int index) {
    marked = index >= 0 && static_cast<size_t>(index) < items.size() ? index : -1;
}

size_t CGuiList::GetRowCount() const {
    const float rows = std::floor((height - 2.0f * kPad) / kRowHeight);
    return rows > 0.0f ? static_cast<size_t>(rows) : 0;
}

size_t CGuiList::LastFirstRow() const {
    return shown.size() > GetRowCount() ? shown.size() - GetRowCount() : 0;
}

void CGuiList::Scroll(int rows) {
    const long target = static_cast<long>(first) + rows;
    first = static_cast<size_t>(std::clamp(target, 0L, static_cast<long>(LastFirstRow())));
}

void CGuiList::ScrollToItem(size_t index) {
    auto at = std::find(shown.begin(), shown.end(), index);
    if (at == shown.end()) {
        return;
    }
    const size_t row = static_cast<size_t>(at - shown.begin());
    if (row < first) {
        first = row;
    } else if (GetRowCount() > 0 && row >= first + GetRowCount()) {
        first = row + 1 - GetRowCount();
    }
    first = std::min(first, LastFirstRow());
}

float CGuiList::ThumbHeight() const {
    if (shown.empty()) {
        return height;
    }
    const float share = static_cast<float>(GetRowCount()) / static_cast<float>(shown.size());
    return std::clamp(height * share, kSmallestThumb, height);
}

float CGuiList::ThumbTop() const {
    const size_t last = LastFirstRow();
    return last == 0 ? 0.0f : (height - ThumbHeight()) * static_cast<float>(first) / static_cast<float>(last);
}

void CGuiList::Update(float originX, float originY) {
    pressed = -1;
    if (!visible) {
        dragging = false;
        return;
    }
    HandleMouse(originX + x, originY + y);
    Draw(originX + x, originY + y);
}

void CGuiList::HandleMouse(float left, float top) {
    hovered = -1;
    if (!gEventManager) {
        return;
    }
    const bool over = GuiMouseInRect(left, top, left + width, top + height);
    const float my = static_cast<float>(gEventManager->GetMouseY());
    const float barLeft = left + width - kBarWidth;
    const bool onBar = over && static_cast<float>(gEventManager->GetMouseX()) >= barLeft;
    const SDL_Event event = gEventManager->GetEvent();
    if (over && gEventManager->HasEvent() && event.type == SDL_MOUSEBUTTONDOWN) {
        if (event.button.button == SDL_BUTTON_WHEELUP) {
            Scroll(-kWheelRows);
        } else if (event.button.button == SDL_BUTTON_WHEELDOWN) {
            Scroll(kWheelRows);
        }
    }
    if (dragging && (GuiLeftReleased() || !gEventManager->IsLeftButtonDown())) {
        dragging = false;
    }
    if (onBar && GuiLeftPressed() && LastFirstRow() > 0) {
        const float thumbTop = top + ThumbTop();
        if (my >= thumbTop && my <= thumbTop + ThumbHeight()) {
            dragging = true;
            grab = my - thumbTop;
        } else {
            // A press on the track beside the thumb turns a page toward it.
            const int page = static_cast<int>(std::max<size_t>(1, GetRowCount()));
            Scroll(my < thumbTop ? -page : page);
        }
    }
    if (dragging) {
        const float room = height - ThumbHeight();
        const float share = room > 0.0f ? (my - grab - top) / room : 0.0f;
        const long row = std::lround(share * static_cast<float>(LastFirstRow()));
        first = static_cast<size_t>(std::clamp(row, 0L, static_cast<long>(LastFirstRow())));
    }
    if (!over || onBar || my < top + kPad) {
        return;
    }
    const size_t row = first + static_cast<size_t>((my - top - kPad) / kRowHeight);
    if (row >= shown.size() || row >= first + GetRowCount()) {
        return;
    }
    hovered = static_cast<int>(shown[row]);
    if (GuiLeftPressed()) {
        pressed = hovered;
        gEventManager->SetClickedWidget(id);
    }
}

void CGuiList::Draw(float left, float top) {
    back->Draw(left, top, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    CFont* font = gFontManager ? gFontManager->GetFont(1) : nullptr;
    const size_t room = static_cast<size_t>(std::max(0.0f, (width - kBarWidth - 4.0f * kPad) / kGlyphWidth));
    // A filter that lets nothing through says so, rather than leaving an empty box.
    if (font && shown.empty() && !items.empty()) {
        font->PrintEx(static_cast<int>(left + 2.0f * kPad), static_cast<int>(top + kPad + 1.0f), 0, 0.55f,
                      0.55f, 0.55f, 1.0f, 1.0f, 1.0f, "%s", "no match");
    }
    for (size_t row = first; row < shown.size() && row < first + GetRowCount(); ++row) {
        const int item = static_cast<int>(shown[row]);
        const float rowTop = top + kPad + kRowHeight * static_cast<float>(row - first);
        if (item == marked || item == hovered) {
            mark->Draw(left + kPad, rowTop, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, item == marked ? 1.0f : 0.35f);
        }
        if (font) {
            const std::string text = FitFromEnd(items[static_cast<size_t>(item)], room);
            font->PrintEx(static_cast<int>(left + 2.0f * kPad), static_cast<int>(rowTop + 1.0f), 0, 1.0f,
                          1.0f, 1.0f, 1.0f, 1.0f, 1.0f, "%s", text.c_str());
        }
    }
    if (LastFirstRow() > 0) {
        const float barLeft = left + width - kBarWidth;
        track->Draw(barLeft, top, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        thumb->SetHeight(ThumbHeight());
        thumb->Draw(barLeft, top + ThumbTop(), 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, dragging ? 1.0f : 0.85f);
    }
}
