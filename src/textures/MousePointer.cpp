// The software mouse pointer: one or two images drawn at the mouse position. The graphics core holds
// them, but drawing an image belongs to the textures, so its pointer operations live here.
#include "graphics/GraphicsCore.h"

#include "base/Registry.h"
#include "input/EventManager.h"
#include "textures/Image.h"

#include <SDL.h>

void CGraphicsCore::ReleaseMousePointers() {
    delete pointerImage;
    pointerImage = nullptr;
    delete secondPointerImage;
    secondPointerImage = nullptr;
    currentPointer = nullptr;
}

void CGraphicsCore::SetMousePointer(const char* file) {
    delete pointerImage;
    pointerImage = new CImage(file ? file : "");
    softwarePointer = true;
    currentPointer = pointerImage;
    SDL_ShowCursor(SDL_DISABLE);
}

void CGraphicsCore::SetSecondMousePointer(const char* file) {
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

void CGraphicsCore::SetMousePointers(const char* first, const char* second) {
    SetMousePointer(first);
    SetSecondMousePointer(second);
    currentPointer = pointerImage;
}

void CGraphicsCore::SelectMousePointer(bool second) {
    currentPointer = second ? secondPointerImage : pointerImage;
}

void CGraphicsCore::DrawMousePointer() {
    CImage* image = hasSecondPointer ? currentPointer : pointerImage;
    if (!image || !gEventManager) {
        return;
    }
    image->Draw(static_cast<float>(gEventManager->GetMouseX()),
                static_cast<float>(gEventManager->GetMouseY()), 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
}
