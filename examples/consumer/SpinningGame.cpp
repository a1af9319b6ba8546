#include "SpinningGame.h"

#include <korvel/app/Engine.h>
#include <korvel/app/Registry.h>
#include <korvel/camera/Camera.h>
#include <korvel/graphics/GL.h>
#include <korvel/graphics/GraphicsCore.h>
#include <korvel/gui/GuiWindow.h>
#include <korvel/gui/WindowManager.h>
#include <korvel/input/EventManager.h>
#include <korvel/models/MD2Mesh.h>
#include <korvel/text/Font.h>
#include <korvel/text/FontManager.h>

#include <SDL.h>

namespace {

const int Width = 800;
const int Height = 600;
const int QuitButtonId = 1;
// The engine's cancel button is 128 x 40; it sits 12 pixels inside the bottom-right corner.
const int QuitLeft = Width - 140;
const int QuitTop = Height - 52;
const float DegreesPerSecond = 90.0f;
const int RowLength = 8;

} // namespace

SpinningGame::SpinningGame() {
    width = Width;
    height = Height;
    bpp = 24;
    fullscreen = false;
    title = "Spinning hobgoblin - a Korvel game";
}

// The crowd goes with the game, before the engine shuts the GL context down.
SpinningGame::~SpinningGame() = default;

void SpinningGame::Init() {
    engine->InitVideo(width, height, bpp, fullscreen, false);
    gGraphicsCore->SetCaption(title.c_str());
    gGraphicsCore->SetMousePointer("Data/MousePointer.png");

    // One mesh, read once; every member of the crowd is a few dozen bytes of its own.
    CMD2Instance hobgoblin(CMD2Mesh::Load("Data/Models/MD2/tris.md2", "Data/Models/MD2/hobgoblin.bmp"));
    hobgoblin.SetScale(0.2f, 0.2f, 0.2f);
    hobgoblin.SetPosition(0.0f, 3.0f, -2.0f);
    crowd.push_back(hobgoblin);
    for (int i = 0; i < RowLength; ++i) {
        CMD2Instance member = hobgoblin;
        member.SetScale(0.1f, 0.1f, 0.1f);
        member.SetPosition(-14.0f + 4.0f * static_cast<float>(i), 1.5f, 6.0f);
        member.SetRotation(-90.0f);
        member.SetAnimation(i);
        crowd.push_back(member);
    }

    // A window holding only the button: the plain constructor gives it no background image to load
    // and a title bar that does nothing, since it is not movable.
    CGuiWindow* quit = new CGuiWindow;
    quit->SetRect(QuitLeft, QuitTop, QuitLeft + 128, QuitTop + 40);
    quit->AddButton("Data/GUI/button_cancel", 5, 0.0f, 0.0f, QuitButtonId);
    gWindowManager->AddWindow(quit);
    quit->SetVisible(true);
}

void SpinningGame::Run() {
    const uint32_t start = SDL_GetTicks();
    for (;;) {
        Render(SDL_GetTicks() - start);
        if (gEventManager->GetClickedWidget() == QuitButtonId) {
            return;
        }
        if (gEventManager->HasEvent() &&
            (gEventManager->IsKeyDown(SDLK_ESCAPE) || gEventManager->IsEvent(EventQuit))) {
            return;
        }
    }
}

void SpinningGame::Render(uint32_t elapsedMs) {
    glClearColor(0.05f, 0.08f, 0.15f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gFontManager->GetFont(1)->Print(10, 10, 0, "A game of my own on the Korvel Engine");

    gCamera->Look();
    crowd.front().SetRotation(static_cast<float>(elapsedMs) * DegreesPerSecond / 1000.0f);
    for (CMD2Instance& member : crowd) {
        member.Render();
    }

    // Events, then the 2D overlay: the Quit button and the mouse pointer.
    engine->Update();
    SDL_GL_SwapBuffers();
}
