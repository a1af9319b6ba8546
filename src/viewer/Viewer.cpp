#include "viewer/Viewer.h"

#include "app/Engine.h"
#include "base/GL.h"
#include "base/Registry.h"
#include "camera/Camera.h"
#include "demo/ViewerScene.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Screenshot.h"
#include "input/EventManager.h"
#include "models/MD2Model.h"
#include "viewer/PlaybackClock.h"
#include "viewer/ViewerOverlay.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

CViewer::CViewer(const ViewerOptions& options)
    : options(options), animationsFor(options.model), exitStatus(0), failed(false), wireframe(false),
      overlay(!options.browse.empty()), framed(false), frameScale(CViewerScene::kModelScale), dragging(false),
      dragX(0), dragY(0), framesDrawn(0), skinIndex(0) {}

void CViewer::Init() {
    // A thumbnail shows the model, not wherever the pointer happens to rest.
    OpenWindow(!options.window && options.sheet.empty(), options.screenshot.empty() && options.sheet.empty());
    if (!(options.sheet.empty() ? Start() : StartSheet())) {
        failed = true;
        exitStatus = 1;
    }
}

bool CViewer::Start() {
    // Browsing, the first model that loads is shown as if opened with Open; a model named inside the
    // archive or folder is loaded as any model named alone, and N and P go on from it.
    if (!options.browse.empty() && !OpenCatalog()) {
        return false;
    }
    const bool fromCatalog = !options.browse.empty() && options.model.empty();
    const bool loaded = fromCatalog
                            ? OpenFromCatalog(1)
                            : LoadModel(options.model, options.skin.empty() ? nullptr : options.skin.c_str());
    // A model asked for by name that cannot be shown is an error, not an empty scene.
    if (!loaded || !StartAnimation()) {
        return false;
    }
    if (!options.model.empty() && !fromCatalog) {
        FrameModel();
    }
    CPlaybackClock::Install(options.speed);
    LoadLogo();
    return true;
}

bool CViewer::RunFrame() {
    if (failed) {
        return false;
    }
    if (sheet) {
        return DrawSheetCell();
    }
    SyncPanel();
    Render();
    if (!options.screenshot.empty() && framesDrawn >= options.frames) {
        return false;
    }
    TakePanel();
    HandleMouse();
    // Keys are examined only in a frame that took an event, as the demo always did.
    if (!gEventManager->HasEvent()) {
        return true;
    }
    if (gEventManager->IsEvent(EventQuit)) {
        return false;
    }
    // A key typed into the panel's filter is the filter's alone.
    if (panel && panel->TookKey()) {
        return true;
    }
    const SDL_Event& event = gEventManager->GetEvent();
    for (const ViewerKey& key : ViewerKeys()) {
        for (int sym = key.first; sym <= key.last && key.first != 0; ++sym) {
            bool pressed = event.type == SDL_KEYDOWN && event.key.keysym.sym == sym;
            if ((key.held ? gEventManager->IsKeyDown(sym) : pressed) && !Act(key.action, sym - key.first)) {
                return false;
            }
        }
    }
    return true;
}

bool CViewer::Act(ViewerAction action, int offset) {
    const int animation = model->GetData().currentAnimation;
    switch (action) {
    case ViewerAction::Quit:
        return false;
    case ViewerAction::Animation:
        model->SetAnimation(offset);
        break;
    case ViewerAction::NextAnimation:
        model->SetAnimation(animation + 1);
        break;
    case ViewerAction::PreviousAnimation:
        model->SetAnimation(animation - 1);
        break;
    case ViewerAction::TurnLeft:
    case ViewerAction::TurnRight:
        model->SetRotation(model->GetRotation() + (action == ViewerAction::TurnLeft
                                                       ? CViewerScene::kRotationStep
                                                       : -CViewerScene::kRotationStep));
        PlaceModel();
        break;
    case ViewerAction::Pause:
        model->SetPaused(!model->IsPaused());
        break;
    case ViewerAction::StepBack:
    case ViewerAction::StepOn:
        if (model->IsPaused()) {
            model->StepKeyFrame(action == ViewerAction::StepOn ? 1 : -1);
        }
        break;
    case ViewerAction::Slower:
    case ViewerAction::Faster:
        CPlaybackClock::SetSpeed(CPlaybackClock::Speed() * (action == ViewerAction::Faster ? 2.0f : 0.5f));
        break;
    case ViewerAction::NextSkin:
        if (!skins.empty()) {
            ShowSkin((skinIndex + 1) % skins.size());
        }
        break;
    case ViewerAction::NextHead:
        NextHead();
        break;
    case ViewerAction::NextModel:
    case ViewerAction::PreviousModel:
        if (catalog.Count() > 0) {
            const int direction = action == ViewerAction::NextModel ? 1 : -1;
            catalog.Step(direction);
            OpenFromCatalog(direction);
        }
        break;
    case ViewerAction::Wireframe:
        wireframe = !wireframe;
        break;
    case ViewerAction::Culling:
        model->SetBackFaceCulling(!model->GetBackFaceCulling());
        break;
    case ViewerAction::Overlay:
        overlay = !overlay;
        break;
    case ViewerAction::Grid:
        grid = !grid;
        break;
    case ViewerAction::Panel:
        if (panel) {
            panel->SetVisible(!panel->IsVisible());
        }
        break;
    case ViewerAction::Screenshot:
        dueScreenshot = CScreenshot::NextFreeName(options.startDir, "md2viewer");
        break;
    case ViewerAction::Orbit:
    case ViewerAction::Zoom:
        break;
    }
    return true;
}

bool CViewer::StartAnimation() {
    if (options.animation.empty()) {
        return true;
    }
    const ModelData& data = model->GetData();
    const std::string& wanted = options.animation;
    int index = -1;
    if (wanted.find_first_not_of("0123456789") == std::string::npos && wanted.size() < 9) {
        index = std::atoi(wanted.c_str());
    } else {
        const auto named = std::find_if(data.animations.begin(), data.animations.end(),
                                        [&](const Animation& animation) { return animation.name == wanted; });
        index = named == data.animations.end() ? -1 : static_cast<int>(named - data.animations.begin());
    }
    if (index < 0 || index >= data.animationCount) {
        std::string file = options.model.empty() ? CViewerScene::kModelPath : options.model;
        std::fprintf(stderr, "md2viewer: %s has no animation '%s' (it has %d, numbered from 0)\n",
                     file.c_str(), wanted.c_str(), data.animationCount);
        return false;
    }
    model->SetAnimation(index);
    return true;
}

void CViewer::FrameModel() {
    if (!CFraming::AnimationBox(model->GetData(), model->GetData().currentAnimation, box)) {
        return;
    }
    AddPartsToBox(box);
    const float aspect =
        static_cast<float>(gGraphicsCore->width) / static_cast<float>(std::max(1u, gGraphicsCore->height));
    const ViewVolume view{gCamera->position,
                          gCamera->target,
                          gCamera->up,
                          static_cast<float>(CGraphicsCore::kFieldOfView),
                          aspect,
                          static_cast<float>(CGraphicsCore::kNearPlane),
                          static_cast<float>(CGraphicsCore::kFarPlane)};
    framed = true;
    frameScale = CFraming::FitScale(box, model->GetRotation(), view);
    PlaceModel();
}

void CViewer::PlaceModel() {
    if (!framed) {
        return;
    }
    const Vec3 position = CFraming::Position(box, frameScale, model->GetRotation());
    model->SetScale(frameScale, frameScale, frameScale);
    model->SetPosition(position.x, position.y, position.z);
}

void CViewer::HandleMouse() {
    // Events leave the queue one a frame, so the pointer may already be past a press or a release
    // still waiting there: each is taken at its own position, and the orbit follows the pointer
    // exactly from the one to the other.
    const bool taken = gEventManager->HasEvent();
    const SDL_Event event = gEventManager->GetEvent();
    if (taken && event.type == SDL_MOUSEBUTTONDOWN && OnPanel(event.button.x, event.button.y)) {
        return;
    }
    if (taken && event.type == SDL_MOUSEBUTTONDOWN && (orbit.Started() || framed)) {
        if (event.button.button == SDL_BUTTON_WHEELUP) {
            Orbit(0.0f, 0.0f, 1.0f / COrbitCamera::kZoomStep);
        } else if (event.button.button == SDL_BUTTON_WHEELDOWN) {
            Orbit(0.0f, 0.0f, COrbitCamera::kZoomStep);
        }
    }
    if (taken && gEventManager->IsEvent(EventLeftDown)) {
        dragging = true;
        dragX = event.button.x;
        dragY = event.button.y;
    }
    if (!dragging) {
        return;
    }
    int x = gEventManager->GetMouseX(), y = gEventManager->GetMouseY();
    if (taken && gEventManager->IsEvent(EventLeftUp)) {
        dragging = false;
        x = event.button.x;
        y = event.button.y;
    }
    if (x != dragX || y != dragY) {
        Orbit(-(x - dragX) * COrbitCamera::kDragStep, (y - dragY) * COrbitCamera::kDragStep, 1.0f);
    }
    dragX = x;
    dragY = y;
}

void CViewer::Orbit(float yaw, float pitch, float zoom) {
    if (!orbit.Started()) {
        // The orbit turns about the middle of the model's box, from where the camera stands now.
        const Vec3 centre =
            framed ? CFraming::Centre(box, frameScale)
                   : Vec3(CViewerScene::kStandX, CViewerScene::kFeetY + CViewerScene::kStandHeight * 0.5f,
                          CViewerScene::kStandZ);
        orbit.Start(gCamera->position, centre);
    }
    orbit.Move(yaw, pitch, zoom);
    const Vec3 eye = orbit.Eye(), target = orbit.Target();
    gCamera->Place(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0.0f, 1.0f, 0.0f);
}

void CViewer::DrawModel() {
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
    model->Render();
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
}

void CViewer::DrawOverlay() const {
    OverlayFacts facts;
    facts.file = options.model.empty() ? CViewerScene::kModelPath : options.model;
    facts.skinCount = static_cast<int>(skins.size());
    facts.skinIndex = static_cast<int>(skinIndex);
    facts.skin = skins.empty() ? "" : skins[skinIndex].path;
    facts.speed = CPlaybackClock::Speed();
    if (!catalog.Empty()) {
        facts.place = catalog.Place() + ": " + catalog.Inner(catalog.Current());
    }
    facts.parts = PartLines();
    CViewerOverlay::Draw(*model, facts);
}

void CViewer::Render() {
    const bool panelShown = panel && panel->IsVisible();
    std::function<void()> over;
    if (overlay || panelShown) {
        over = [this, panelShown] {
            if (overlay) {
                DrawOverlay();
            }
            if (panelShown) {
                timeline->Draw(*model);
            }
        };
    }
    CViewerScene::DrawFrame(
        *engine, *model, *logo, [this] { DrawModel(); }, over, grid);
    ++framesDrawn;
    SaveDueScreenshot();
    SDL_GL_SwapBuffers();
}

void CViewer::SaveDueScreenshot() {
    bool asked = !options.screenshot.empty() && framesDrawn == options.frames;
    std::string path = asked ? options.screenshot : dueScreenshot;
    dueScreenshot.clear();
    if (path.empty()) {
        return;
    }
    std::string error;
    if (CScreenshot::SaveBackBuffer(path, static_cast<int>(gGraphicsCore->width),
                                    static_cast<int>(gGraphicsCore->height), &error)) {
        std::cout << "Screenshot saved to " << path << std::endl;
    } else {
        std::fprintf(stderr, "md2viewer: %s\n", error.c_str());
        if (asked) {
            exitStatus = 1;
        }
    }
}
