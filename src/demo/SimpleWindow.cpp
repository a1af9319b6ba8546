#include "demo/SimpleWindow.h"

#include "app/Engine.h"
#include "base/Registry.h"
#include "demo/ViewerScene.h"
#include "graphics/GraphicsCore.h"
#include "input/EventManager.h"
#include "models/MD2Model.h"
#include "textures/MousePointer.h"
#include "textures/Image.h"

#include <SDL.h>
#include <cstdio>
#include <iostream>

SimpleWindow::SimpleWindow() : model(nullptr), logo(nullptr) {}

SimpleWindow::~SimpleWindow() {
    delete model;
    model = nullptr;
    delete logo;
    logo = nullptr;
}

void SimpleWindow::OpenWindow(bool fullScreen, bool softwarePointer) {
    engine->InitVideo(CViewerScene::kWidth, CViewerScene::kHeight, 24, fullScreen, false);
    // SetMousePointer hides the system cursor again: the software pointer is drawn instead.
    gGraphicsCore->ShowCursor(true);
    gGraphicsCore->SetMousePointer(CViewerScene::kPointerPath);
    if (!softwarePointer && gGraphicsCore->mousePointer) {
        gGraphicsCore->mousePointer->softwarePointer = false;
    }
    engine->SetShowFPS(true);
    gGraphicsCore->SetCaption(CViewerScene::kCaption);
}

void SimpleWindow::CreateModel() {
    model = new CMD2Model;
    // The model's own messages (the skin's "Loading Texture") continue this line.
    std::cout << "\nLoading MD2 file..." << std::flush;
}

void SimpleWindow::ModelLoaded() {
    std::printf("done.");
    std::fflush(stdout);
}

void SimpleWindow::LoadLogo() {
    logo = new CImage(CViewerScene::kLogoPath);
    CViewerScene::PlaceLogo(*logo);
}

void SimpleWindow::Init() {
    OpenWindow(true, true);
    CreateModel();
    CViewerScene::LoadHobgoblin(*model);
    ModelLoaded();
    CViewerScene::PlaceHobgoblin(*model);
    LoadLogo();
}

void SimpleWindow::Run() {
    while (RunFrame()) {
    }
}

bool SimpleWindow::RunFrame() {
    Render();
    // Keys are examined only in a frame that took an event.
    if (!gEventManager->HasEvent()) {
        return true;
    }
    if (gEventManager->IsKeyDown(SDLK_ESCAPE) || gEventManager->IsEvent(EventQuit)) {
        return false;
    }
    // Every digit is examined, so of several held keys the highest wins.
    for (int k = 0; k <= 9; ++k) {
        if (gEventManager->IsKeyDown(SDLK_0 + k)) {
            model->SetAnimation(k);
        }
    }
    if (gEventManager->IsKeyDown(SDLK_LEFT)) {
        model->SetRotation(model->GetRotation() + CViewerScene::kRotationStep);
    }
    if (gEventManager->IsKeyDown(SDLK_RIGHT)) {
        model->SetRotation(model->GetRotation() - CViewerScene::kRotationStep);
    }
    return true;
}

void SimpleWindow::Render() {
    CViewerScene::DrawFrame(*engine, *model, *logo);
    SDL_GL_SwapBuffers();
}

void SimpleWindow::Shutdown() {}

void SimpleWindow::Reserved1() {}

void SimpleWindow::Reserved2() {}
