#include "GuiExample.h"

#include "../common/Example.h"

#include <korvel/gui/GuiButton.h>
#include <korvel/gui/GuiCheckBox.h>
#include <korvel/gui/GuiStaticText.h>
#include <korvel/gui/GuiWindow.h>
#include <korvel/gui/WindowManager.h>
#include <cstdio>

namespace {

const int WindowId = 1;
const int OkButtonId = 1;
const int CancelButtonId = 2;
const int CheckBoxId = 3;
// The window is 400 x 300, centred on the 1024 x 768 screen, with a 24-pixel title bar.
const int Left = 312;
const int Top = 184;
const int Right = 712;
const int Bottom = 484;
const char* const TitleHoverText = "Drag the title bar to move the window";

// One line per widget: its id and its rectangle in window pixels.
void PrintWidget(int id, float x, float y, float w, float h) {
    std::printf("widget %d at %.0f %.0f size %.0f %.0f\n", id, x, y, w, h);
}

} // namespace

GuiExample::GuiExample() {
    fullscreen = false;
    bpp = 24;
    title = "Korvel Engine - GUI Example";
}

GuiExample::~GuiExample() = default;

void GuiExample::Init() {
    engine->InitVideo(width, height, bpp, fullscreen, false);
    gGraphicsCore->SetCaption(title.c_str());
    gGraphicsCore->SetMousePointers("Data/MousePointer.png", "Data/GUI/pointer_move.png");

    CGuiWindow* window =
        new CGuiWindow(Left, Top, Right, Bottom, "Data/GUI/window.png", false, 1.0f, 24, WindowId, true);
    window->SetHoverText(TitleHoverText, 1.0f, 1.0f, 1.0f, 1.0f, static_cast<float>(Left),
                         static_cast<float>(Top - 24));

    CGuiButton* ok = new CGuiButton("Data/GUI/button_ok", 5, 56.0f, 214.0f, OkButtonId);
    ok->SetHoverText("Accept", 1.0f, 1.0f, 1.0f, 1.0f, static_cast<float>(Left),
                     static_cast<float>(Bottom + 10));
    window->AddButton(ok);
    CGuiButton* cancel = new CGuiButton("Data/GUI/button_cancel", 5, 216.0f, 214.0f, CancelButtonId);
    cancel->SetHoverText("Cancel", 1.0f, 1.0f, 1.0f, 1.0f, static_cast<float>(Left),
                         static_cast<float>(Bottom + 10));
    window->AddButton(cancel);
    CGuiCheckBox* remember =
        new CGuiCheckBox("Data/GUI/checkbox_off", 4, "Data/GUI/checkbox_on", 4, 40.0f, 120.0f, CheckBoxId);
    window->AddCheckBox(remember);

    window->AddStaticText(new CGuiStaticText("Korvel GUI example", 12.0f, 4.0f));
    window->AddStaticText(
        new CGuiStaticText("Remember this choice", 80.0f, 126.0f, 0.85f, 0.95f, 0.90f, 1.0f));

    gWindowManager->AddWindow(window);
    gWindowManager->ShowWindow(WindowId);

    const float left = window->GetLeft();
    const float top = window->GetTop();
    for (CGuiButton* button : {ok, cancel}) {
        PrintWidget(button->GetId(), left + button->GetX(), top + button->GetY(), button->GetWidth(),
                    button->GetHeight());
    }
    PrintWidget(remember->GetId(), left + remember->GetX(), top + remember->GetY(), remember->GetWidth(),
                remember->GetHeight());
    std::fflush(stdout);
}

void GuiExample::Run() {
    for (int frame = 1;; ++frame) {
        glClearColor(0.10f, 0.12f, 0.16f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        engine->Update();
        int clicked = gEventManager->GetClickedWidget();
        if (clicked != -1) {
            std::printf("clicked %d\n", clicked);
            std::fflush(stdout);
        }
        if (example::ScreenshotDone(frame, width, height)) {
            return;
        }
        SDL_GL_SwapBuffers();
        if (gEventManager->HasEvent() &&
            (gEventManager->IsKeyDown(SDLK_ESCAPE) || gEventManager->IsEvent(EventQuit))) {
            return;
        }
        // A GUI needs no more than a few hundred frames a second; the rest of the CPU is left alone.
        SDL_Delay(4);
    }
}

void GuiExample::Shutdown() {}

void GuiExample::Reserved1() {}

void GuiExample::Reserved2() {}
