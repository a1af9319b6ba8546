#include "gui/GuiButton.h"

#include "base/Registry.h"
#include "gui/GuiFrame.h"
#include "gui/ImageList.h"
#include "input/EventManager.h"
#include "textures/Image.h"

CGuiButton::CGuiButton()
    : x(0.0f), y(0.0f), enabled(true), visible(true), hover(false), images(nullptr), width(0.0f),
      height(0.0f), id(-1) {}

CGuiButton::CGuiButton(const char* prefix, uint32_t frameCount, float x, float y, int32_t id) : CGuiButton() {
    this->x = x;
    this->y = y;
    this->id = id;
    images = new CImageList(prefix, frameCount, x, y);
    TakeSizeFromFrame();
}

CGuiButton::~CGuiButton() {
    delete images;
}

void CGuiButton::TakeSizeFromFrame() {
    CImage* first = images ? images->GetFrame(0) : nullptr;
    width = first ? first->GetWidth() : 0.0f;
    height = first ? first->GetHeight() : 0.0f;
}

void CGuiButton::SetImages(const char* prefix, uint32_t frameCount) {
    enabled = true;
    hover = false;
    delete images;
    images = new CImageList(prefix, frameCount, 0.0f, 0.0f);
    TakeSizeFromFrame();
}

void CGuiButton::SetPosition(float newX, float newY) {
    x = newX;
    y = newY;
}

void CGuiButton::SetSize(int32_t newWidth, int32_t newHeight) {
    if (!images) {
        return;
    }
    for (uint32_t i = 0; i < images->GetFrameCount(); ++i) {
        CImage* frame = images->GetFrame(static_cast<int32_t>(i));
        frame->SetWidth(static_cast<float>(newWidth));
        frame->SetHeight(static_cast<float>(newHeight));
    }
    width = static_cast<float>(newWidth);
    height = static_cast<float>(newHeight);
}

CImage* CGuiButton::GetFrame(int32_t index) const {
    return images ? images->GetFrame(index) : nullptr;
}

void CGuiButton::SetFrameRate(uint32_t fps) {
    if (images) {
        images->SetFrameRate(fps);
    }
}

bool CGuiButton::HitTest(float atX, float atY) {
    // The test measures frame 1 as it is now, not the size the button reports.
    CImage* first = images->GetFrame(0);
    if (!first) {
        return false;
    }
    bool over = GuiMouseInRect(atX, atY, atX + first->GetWidth(), atY + first->GetHeight());
    if (over && enabled && GuiLeftPressed()) {
        gEventManager->SetClickedWidget(id);
    }
    return over;
}

void CGuiButton::Update() {
    UpdateAt(x, y);
}

void CGuiButton::Update(float originX, float originY) {
    UpdateAt(originX + x, originY + y);
}

void CGuiButton::UpdateAt(float atX, float atY) {
    if (!visible || !images) {
        return;
    }
    if (HitTest(atX, atY)) {
        hover = true;
        images->PlayOnceAt(atX, atY);
        hoverText.Print();
    } else {
        hover = false;
        images->Rewind();
        images->DrawFrameAt(0, atX, atY);
    }
}
