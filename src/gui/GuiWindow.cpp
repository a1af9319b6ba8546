#include "gui/GuiWindow.h"

#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiFrame.h"
#include "gui/GuiList.h"
#include "gui/GuiStaticText.h"
#include "gui/GuiTextField.h"
#include "input/EventManager.h"
#include "textures/Image.h"

#include <algorithm>

namespace {

// The difference of two edges, formed without int overflow.
float Extent(int32_t from, int32_t to) {
    return static_cast<float>(static_cast<int64_t>(to) - static_cast<int64_t>(from));
}

// Where a widget extends past the room's right or bottom edge, moves it back against that edge; a
// negative position or a widget larger than the room is left as is.
template <typename Widget> void PushInside(Widget& widget, float roomWidth, float roomHeight) {
    if (widget.GetX() + widget.GetWidth() > roomWidth) {
        widget.SetX(roomWidth - widget.GetWidth());
    }
    if (widget.GetY() + widget.GetHeight() > roomHeight) {
        widget.SetY(roomHeight - widget.GetHeight());
    }
}

// Lists the item and returns true, unless it is null or listed already: the window deletes what its
// lists hold, so an object listed twice would be deleted twice.
template <typename T> bool Takes(std::vector<T*>& list, T* item) {
    if (!item || std::find(list.begin(), list.end(), item) != list.end()) {
        return false;
    }
    list.push_back(item);
    return true;
}

template <typename T> void DeleteAll(const std::vector<T*>& list) {
    for (T* item : list) {
        delete item;
    }
}

} // namespace

CGuiWindow::CGuiWindow()
    : top(0.0f), right(0.0f), bottom(0.0f), left(0.0f), active(false), visible(false), movable(false), id(-1),
      titleBarHeight(15), dragging(false), hoverText(nullptr) {}

CGuiWindow::CGuiWindow(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* file,
                       bool stretch, float alpha, uint32_t titleBarHeight, int32_t id, bool movable)
    : CGuiWindow() {
    SetRect(left, top, right, bottom);
    this->movable = movable;
    this->id = id;
    this->titleBarHeight = titleBarHeight;

    CImage* background = new CImage(file ? file : "", alpha);
    const float w = Extent(left, right);
    const float h = Extent(top, bottom);
    // Each direction on its own: a picture larger than the window is squeezed, never cut.
    if (stretch || background->GetWidth() > w) {
        background->SetWidth(w);
    }
    if (stretch || background->GetHeight() > h) {
        background->SetHeight(h);
    }
    images.push_back(background);
}

CGuiWindow::~CGuiWindow() {
    DeleteAll(buttons);
    DeleteAll(images);
    DeleteAll(checkBoxes);
    DeleteAll(staticTexts);
    DeleteAll(lists);
    DeleteAll(textFields);
}

void CGuiWindow::AddImage(CImage* image) {
    Takes(images, image);
}

void CGuiWindow::AddImage(const char* file, uint32_t x, uint32_t y, float alpha) {
    CImage* image = new CImage(file ? file : "");
    image->x = static_cast<float>(x);
    image->y = static_cast<float>(y);
    image->SetAlpha(alpha);
    images.push_back(image);
}

void CGuiWindow::AddButton(CGuiButton* button) {
    if (Takes(buttons, button)) {
        PushInside(*button, right - left, bottom - top);
    }
}

void CGuiWindow::AddButton(const char* prefix, uint32_t frameCount, float x, float y, int32_t id) {
    AddButton(new CGuiButton(prefix, frameCount, x, y, id));
}

void CGuiWindow::AddCheckBox(CGuiCheckBox* checkBox) {
    // A check box keeps whole positions, so a clamped 259.5 lands on 259.
    if (Takes(checkBoxes, checkBox)) {
        PushInside(*checkBox, right - left, bottom - top);
    }
}

void CGuiWindow::AddCheckBox(const char* uncheckedPrefix, uint32_t uncheckedCount, const char* checkedPrefix,
                             uint32_t checkedCount, float x, float y, int32_t id) {
    AddCheckBox(new CGuiCheckBox(uncheckedPrefix, uncheckedCount, checkedPrefix, checkedCount, x, y, id));
}

void CGuiWindow::AddList(CGuiList* list) {
    Takes(lists, list);
}

void CGuiWindow::AddTextField(CGuiTextField* field) {
    Takes(textFields, field);
}

void CGuiWindow::AddStaticText(CGuiStaticText* text) {
    Takes(staticTexts, text);
}

void CGuiWindow::SetRect(int32_t newLeft, int32_t newTop, int32_t newRight, int32_t newBottom) {
    left = static_cast<float>(newLeft);
    top = static_cast<float>(newTop);
    right = static_cast<float>(newRight);
    bottom = static_cast<float>(newBottom);
}

void CGuiWindow::SetActive(bool value) {
    active = value;
    if (value) {
        visible = true;
    }
}

void CGuiWindow::SetVisible(bool value) {
    visible = value;
    if (!value) {
        active = false;
    }
}

void CGuiWindow::SetHoverText(const char* text, float red, float green, float blue, float alpha, float x,
                              float y) {
    hoverText = text;
    hoverPlace.Set(red, green, blue, alpha, x, y);
}

CImage* CGuiWindow::GetImage(size_t index) const {
    return index < images.size() ? images[index] : nullptr;
}

bool CGuiWindow::IsMouseOverTitleBar() {
    bool over = GuiMouseInRect(left, top, right, top + static_cast<float>(titleBarHeight));
    if (movable && gGraphicsCore) {
        gGraphicsCore->SelectMousePointer(over);
    }
    return over;
}

void CGuiWindow::DrawHoverText() {
    hoverPlace.Print(hoverText);
}

void CGuiWindow::FollowMouse() {
    if (!gEventManager) {
        return;
    }
    float dx = static_cast<float>(gEventManager->GetMouseDeltaX());
    float dy = static_cast<float>(gEventManager->GetMouseDeltaY());
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

void CGuiWindow::Update() {
    if (!visible) {
        return;
    }
    if (movable) {
        if (IsMouseOverTitleBar()) {
            // Only a release over the bar ends a drag, so a fast mouse that leaves the bar is followed.
            if (GuiLeftPressed()) {
                dragging = true;
            } else if (GuiLeftReleased()) {
                dragging = false;
            }
            DrawHoverText();
        }
        if (dragging) {
            FollowMouse();
        }
    }
    DrawContent(left, top);
}

void CGuiWindow::DrawAt(float x, float y) {
    if (visible) {
        DrawContent(x, y);
    }
}

void CGuiWindow::DrawContent(float originX, float originY) {
    for (CImage* image : images) {
        image->Draw(originX + image->x, originY + image->y, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f);
    }
    for (CGuiButton* button : buttons) {
        button->Update(originX, originY);
    }
    for (CGuiCheckBox* checkBox : checkBoxes) {
        checkBox->Update(originX, originY);
    }
    for (CGuiList* list : lists) {
        list->Update(originX, originY);
    }
    for (CGuiTextField* field : textFields) {
        field->Update(originX, originY);
    }
    for (CGuiStaticText* text : staticTexts) {
        text->Draw(originX, originY);
    }
}
