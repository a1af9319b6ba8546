#include "demo/SimpleWindow.h"

#include "app/Engine.h"
#include "app/Registry.h"
#include "camera/Camera.h"
#include "graphics/GL.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"
#include "input/EventManager.h"
#include "models/MD2Model.h"
#include "text/Font.h"
#include "text/FontManager.h"
#include "textures/Image.h"

#include <SDL.h>
#include <cstdio>
#include <iostream>

namespace {

const float ModelScale = 0.2f;
const float ModelX = 0.0f, ModelY = 3.0f, ModelZ = -2.0f;
const float InitialRotation = 70.0f;
const float RotationStep = 5.0f;
// The logo's bottom-right corner sits 2 pixels inside the 1024x768 window's.
const float LogoRight = 1022.0f, LogoBottom = 766.0f;

} // namespace

SimpleWindow::SimpleWindow(const ViewerOptions& options)
    : model(nullptr), logo(nullptr), options(options), exitStatus(0), failed(false), wireframe(false),
      overlay(false), framed(false), frameScale(ModelScale), frameBottom(0.0f), frameCentreX(0.0f),
      frameCentreZ(0.0f), orbiting(false), dragging(false), dragX(0), dragY(0), orbitYaw(0.0f),
      orbitPitch(0.0f), orbitRadius(1.0f), framesDrawn(0) {}

SimpleWindow::~SimpleWindow() {
    if (model) {
        delete model;
        model = nullptr;
    }
    if (logo) {
        delete logo;
        logo = nullptr;
    }
}

void SimpleWindow::Init() {
    engine->InitVideo(1024, 768, 24, !options.window, false);
    // SetMousePointer hides the system cursor again: the software pointer is drawn instead.
    gGraphicsCore->ShowCursor(true);
    gGraphicsCore->SetMousePointer("Data/MousePointer.png");
    // A thumbnail shows the model, not wherever the pointer happens to rest.
    if (!options.screenshot.empty()) {
        gGraphicsCore->softwarePointer = false;
    }
    engine->SetShowFPS(true);
    gGraphicsCore->SetCaption("Korvel Engine - MD2 Demo");

    model = new CMD2Model;
    // The model's own messages (the skin's "Loading Texture") continue these lines.
    std::cout << "\nLoading MD2 file..." << std::flush;
    bool loaded = true;
    if (options.model.empty()) {
        model->Load("Data/Models/MD2/tris.md2", "Data/Models/MD2/hobgoblin.bmp");
    } else {
        loaded = LoadGivenModel();
    }
    std::printf("done.");
    std::fflush(stdout);
    model->SetScale(ModelScale, ModelScale, ModelScale);
    model->SetPosition(ModelX, ModelY, ModelZ);
    model->SetRotation(InitialRotation);
    model->SetBackFaceCulling(options.cull);
    // A model asked for by name that cannot be shown is an error, not an empty scene.
    if (!loaded || !StartAnimation()) {
        failed = true;
        exitStatus = 1;
        return;
    }
    PlaceModel();

    logo = new CImage("Data/Logo/kvxlogo.png");
    logo->x = LogoRight - logo->GetWidth();
    logo->y = LogoBottom - logo->GetHeight();
}

void SimpleWindow::Run() {
    while (Step()) {
    }
}

bool SimpleWindow::Step() {
    if (failed) {
        return false;
    }
    Render();
    if (!options.screenshot.empty() && framesDrawn >= options.frames) {
        return false;
    }
    HandleDrag();
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
        model->SetRotation(model->GetRotation() + RotationStep);
        PlaceModel();
    }
    if (gEventManager->IsKeyDown(SDLK_RIGHT)) {
        model->SetRotation(model->GetRotation() - RotationStep);
        PlaceModel();
    }
    HandleToolEvent(gEventManager->GetEvent());
    return true;
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
    // The 3D scene is opaque (grid lines and skin have alpha 1), so blending it would change no pixel
    // and only cost the rasterizer time; the kernel's 2D overlay turns blending back on.
    glDisable(GL_BLEND);
    gCamera->Look();
    gUtils->DrawGrid(0.0f, -1.9f, 0.0f);
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
    model->Render();
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    engine->Update();
    if (font) {
        font->Print(20, 740, 0, "Press ESC to Exit.");
    }
    if (overlay) {
        DrawOverlay();
    }
    // The kernel's update left the model-view in window pixels, so the logo is placed in pixels.
    gGraphicsCore->Begin2D();
    logo->Draw(1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    gGraphicsCore->End2D();
    ++framesDrawn;
    SaveDueScreenshot();
    SDL_GL_SwapBuffers();
}

void SimpleWindow::Shutdown() {}

void SimpleWindow::Reserved1() {}

void SimpleWindow::Reserved2() {}
