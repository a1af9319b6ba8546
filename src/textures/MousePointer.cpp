#include "textures/MousePointer.h"

#include "base/Registry.h"
#include "input/EventManager.h"
#include "textures/Image.h"

#include <SDL.h>

CMousePointer::CMousePointer()
    : pointerImage(nullptr), softwarePointer(false), secondPointerImage(nullptr), currentPointer(nullptr),
      hasSecondPointer(false) {}

CMousePointer::~CMousePointer() {
    Release();
}

void CMousePointer::Release() {
    delete pointerImage;
    pointerImage = nullptr;
    delete secondPointerImage;
    secondPointerImage = nullptr;
    currentPointer = nullptr;
}

void CMousePointer::Set(const char* file) {
    delete pointerImage;
    pointerImage = new CImage(file ? file : "");
    softwarePointer = true;
    currentPointer = pointerImage;
    SDL_ShowCursor(SDL_DISABLE);
}

void CMousePointer::SetSecond(const char* file) {
    // A selected second image stays selected: the pointer drawn next is the new image, never the
    // one released here.
    const bool secondSelected = currentPointer && currentPointer == secondPointerImage;
    delete secondPointerImage;
    secondPointerImage = new CImage(file ? file : "");
    hasSecondPointer = true;
    if (secondSelected) {
        currentPointer = secondPointerImage;
    }
}

void CMousePointer::SetBoth(const char* first, const char* second) {
    Set(first);
    SetSecond(second);
    currentPointer = pointerImage;
}

void CMousePointer::Select(bool second) {
    currentPointer = second ? secondPointerImage : pointerImage;
}

void CMousePointer::Draw() {
    CImage* image = hasSecondPointer ? currentPointer : pointerImage;
    if (!image || !gEventManager) {
        return;
    }
    image->Draw(static_cast<float>(gEventManager->GetMouseX()),
                static_cast<float>(gEventManager->GetMouseY()), 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
}
