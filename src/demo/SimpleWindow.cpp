#include "demo/SimpleWindow.h"

#include "app/Engine.h"
#include "app/Registry.h"
#include "graphics/GL.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"
#include "input/EventManager.h"
#include "text/Font.h"
#include "text/FontManager.h"

#include <SDL.h>

SimpleWindow::SimpleWindow() : model(nullptr), logo(nullptr) {}

SimpleWindow::~SimpleWindow() = default;

void SimpleWindow::Init() {
    engine->InitVideo(1024, 768, 24, true, false);
    engine->SetShowFPS(true);
    gGraphicsCore->SetCaption("Korvel Engine - MD2 Demo");
}

void SimpleWindow::Run() {
    for (;;) {
        Render();
        if (!gEventManager->HasEvent()) {
            continue;
        }
        if (gEventManager->IsKeyDown(SDLK_ESCAPE) || gEventManager->IsEvent(EventQuit)) {
            return;
        }
    }
}

void SimpleWindow::Render() {
    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    CFont* font = gFontManager->GetFont(1);
    if (font) {
        font->Print(1, 50, 0, "MD2 Animation Demo! Choose animation with pressing numbers.");
        font->Print(1, 75, 0, "Rotate the model with LEFT and RIGHT arrow.");
    }
    gUtils->DrawGrid(0.0f, -1.9f, 0.0f);
    engine->Update();
    if (font) {
        font->Print(20, 740, 0, "Press ESC to Exit.");
    }
    SDL_GL_SwapBuffers();
}

void SimpleWindow::Shutdown() {}

void SimpleWindow::Reserved1() {}

void SimpleWindow::Reserved2() {}
