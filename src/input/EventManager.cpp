#include "input/EventManager.h"

#include <cstring>

CEventManager::CEventManager()
    : keyPressed(false), eventCode(EventNone), eventPending(false), mouseX(0), mouseY(0), prevMouseX(0),
      prevMouseY(0), leftButton(false), rightButton(false), clickedWidgetId(-1) {
    std::memset(&event, 0, sizeof event);
    event.type = SDL_NOEVENT;
    std::memset(keys, 0, sizeof keys);
}

CEventManager::~CEventManager() = default;

void CEventManager::SampleMouse() {
    prevMouseX = mouseX;
    prevMouseY = mouseY;
    SDL_GetMouseState(&mouseX, &mouseY);
}

void CEventManager::Update() {
    SampleMouse();
    clickedWidgetId = -1;
    eventPending = SDL_PollEvent(&event) == 1;
    eventCode = EventNone;
    keyPressed = false;
    Dispatch();
}

void CEventManager::Dispatch() {
    switch (event.type) {
    case SDL_KEYDOWN:
        keyPressed = true;
        eventCode = EventKeyDown;
        if (event.key.keysym.sym < KeyCount) {
            keys[event.key.keysym.sym] = 1;
        }
        break;
    case SDL_KEYUP:
        if (event.key.keysym.sym < KeyCount) {
            keys[event.key.keysym.sym] = 0;
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (event.button.button == SDL_BUTTON_LEFT) {
            leftButton = down;
            eventCode = down ? EventLeftDown : EventLeftUp;
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
            rightButton = down;
            eventCode = down ? EventRightDown : EventRightUp;
        }
        break;
    }
    case SDL_QUIT:
        eventCode = EventQuit;
        break;
    default:
        break;
    }
}

SDL_Event CEventManager::GetEvent() const {
    return event;
}

bool CEventManager::HasEvent() const {
    return eventPending;
}

bool CEventManager::IsKeyDown(int key) const {
    return key >= 0 && key < KeyCount && keys[key] != 0;
}

bool CEventManager::IsEvent(int code) const {
    return code == eventCode;
}

bool CEventManager::IsLeftButtonDown() const {
    return leftButton;
}

bool CEventManager::IsRightButtonDown() const {
    return rightButton;
}

int CEventManager::GetMouseX() const {
    return mouseX;
}

int CEventManager::GetMouseY() const {
    return mouseY;
}

int CEventManager::GetMouseDeltaX() const {
    return mouseX - prevMouseX;
}

int CEventManager::GetMouseDeltaY() const {
    return mouseY - prevMouseY;
}

bool CEventManager::MouseMoved() const {
    return mouseX != prevMouseX || mouseY != prevMouseY;
}

int CEventManager::GetClickedWidget() const {
    return clickedWidgetId;
}

void CEventManager::SetClickedWidget(int id) {
    clickedWidgetId = id;
}
