#include "gui/GuiCheckBox.h"

#include "base/Registry.h"
#include "gui/GuiFrame.h"
#include "gui/ImageList.h"
#include "input/EventManager.h"
#include "textures/Image.h"

#include <cmath>

CGuiCheckBox::CGuiCheckBox()
    : enabled(true), hover(false), visible(true), uncheckedImages(nullptr), checkedImages(nullptr),
      checked(false), id(-1) {}

CGuiCheckBox::CGuiCheckBox(const char* uncheckedPrefix, uint32_t uncheckedCount, const char* checkedPrefix,
                           uint32_t checkedCount, float x, float y, int32_t id)
    : CGuiCheckBox() {
    this->id = id;
    uncheckedImages = new CImageList(uncheckedPrefix, uncheckedCount, x, y);
    checkedImages = new CImageList(checkedPrefix, checkedCount, x, y);
}

CGuiCheckBox::~CGuiCheckBox() {
    delete uncheckedImages;
    delete checkedImages;
}

void CGuiCheckBox::SetPosition(float newX, float newY) {
    if (uncheckedImages && checkedImages) {
        uncheckedImages->SetPosition(newX, newY);
        checkedImages->SetPosition(newX, newY);
    }
}

float CGuiCheckBox::GetX() const {
    return uncheckedImages ? uncheckedImages->GetX() : 0.0f;
}

float CGuiCheckBox::GetY() const {
    return uncheckedImages ? uncheckedImages->GetY() : 0.0f;
}

void CGuiCheckBox::SetX(float value) {
    SetPosition(std::trunc(value), GetY());
}

void CGuiCheckBox::SetY(float value) {
    SetPosition(GetX(), std::trunc(value));
}

CImage* CGuiCheckBox::GetFrame(int32_t index) const {
    return uncheckedImages ? uncheckedImages->GetFrame(index) : nullptr;
}

CImage* CGuiCheckBox::SizingFrame() const {
    return GetFrame(0);
}

float CGuiCheckBox::GetWidth() const {
    CImage* frame = SizingFrame();
    return frame ? frame->GetWidth() : 0.0f;
}

float CGuiCheckBox::GetHeight() const {
    CImage* frame = SizingFrame();
    return frame ? frame->GetHeight() : 0.0f;
}

void CGuiCheckBox::SetFrameSize(int32_t width, int32_t height) {
    for (CImageList* list : {uncheckedImages, checkedImages}) {
        for (uint32_t i = 0; list && i < list->GetFrameCount(); ++i) {
            CImage* frame = list->GetFrame(static_cast<int32_t>(i));
            frame->SetWidth(static_cast<float>(width));
            frame->SetHeight(static_cast<float>(height));
        }
    }
}

bool CGuiCheckBox::HitTest(float atX, float atY) {
    CImage* frame = SizingFrame();
    if (!frame) {
        return false;
    }
    bool over = GuiMouseInRect(atX, atY, atX + frame->GetWidth(), atY + frame->GetHeight());
    if (over && enabled && GuiLeftPressed()) {
        gEventManager->SetClickedWidget(id);
        checked = !checked;
    }
    return over;
}

void CGuiCheckBox::Update() {
    Update(0.0f, 0.0f);
}

void CGuiCheckBox::Update(float originX, float originY) {
    if (uncheckedImages) {
        UpdateAt(originX + uncheckedImages->GetX(), originY + uncheckedImages->GetY());
    }
}

void CGuiCheckBox::UpdateAt(float atX, float atY) {
    if (!visible || !uncheckedImages || !checkedImages) {
        return;
    }
    // Chosen before the test: the frame of a click still shows the old state.
    CImageList* shown = checked ? checkedImages : uncheckedImages;
    if (HitTest(atX, atY)) {
        hover = true;
        shown->PlayOnceAt(atX, atY);
        hoverText.Print();
    } else {
        hover = false;
        shown->Rewind();
        shown->DrawFrameAt(0, atX, atY);
    }
}
