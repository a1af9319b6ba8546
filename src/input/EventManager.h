/// \class CEventManager
/// The input manager: takes at most one SDL event per frame and keeps what the rest of the engine
/// asks about: held keys, the mouse position and motion, the two buttons, the frame's event code and
/// the widget clicked in this frame.
#pragma once

#include <SDL.h>
#include <cstdint>

/// What the current update dispatched.
enum EventCode {
    EventNone = 0,
    EventKeyDown = 1,
    EventQuit = 2,
    EventLeftUp = 3,
    EventRightUp = 4,
    EventLeftDown = 5,
    EventRightDown = 6,
};

class CEventManager {
public:
    static const int KeyCount = 400; ///< Size of the key table: the SDL 1.2 key symbols.

    CEventManager();
    ~CEventManager();

    /// Samples the mouse and takes at most one event from SDL's queue. When none arrives, the event
    /// of an earlier update is dispatched again.
    void Update();
    /// Keeps the previous mouse position and reads the current one.
    void SampleMouse();
    SDL_Event GetEvent() const; ///< The SDL event this update dispatched.
    /// An event left SDL's queue in this update.
    bool HasEvent() const;
    /// The key (an SDL key symbol, 0 to 399) is held; symbols outside that range are never held.
    bool IsKeyDown(int key) const;
    bool IsEvent(int code) const;   ///< The update dispatched event `code` (an EventCode).
    bool IsLeftButtonDown() const;  ///< The left mouse button is held.
    bool IsRightButtonDown() const; ///< The right mouse button is held.
    int GetMouseX() const;          ///< Mouse x in window pixels.
    int GetMouseY() const;          ///< Mouse y in window pixels.
    int GetMouseDeltaX() const;     ///< Mouse motion in x since the previous sample.
    int GetMouseDeltaY() const;     ///< Mouse motion in y since the previous sample.
    bool MouseMoved() const;        ///< The mouse moved since the previous sample.
    /// The GUI widget clicked in this update, -1 for none.
    int GetClickedWidget() const;
    void SetClickedWidget(int id); ///< Reports a widget as clicked in this update (the GUI calls it).

private:
    void Dispatch();

    SDL_Event event;
    uint8_t keys[KeyCount];
    bool keyPressed;
    int32_t eventCode;
    bool eventPending;
    int32_t mouseX, mouseY;
    int32_t prevMouseX, prevMouseY;
    bool leftButton;
    bool rightButton;
    int32_t clickedWidgetId;
};
