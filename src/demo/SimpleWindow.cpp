#include "demo/SimpleWindow.h"

#include "app/Engine.h"
#include "app/Registry.h"
#include "graphics/GL.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"
#include "input/EventManager.h"

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
    gUtils->DrawGrid(0.0f, -1.9f, 0.0f);
    engine->Update();
    SDL_GL_SwapBuffers();
}

void SimpleWindow::Shutdown() {}

void SimpleWindow::Reserved1() {}

void SimpleWindow::Reserved2() {}
