// The viewer as a tool for any MD2 file: the model and skin from the command line, its framing, the
// tool's keys, the mouse orbit, the information overlay and screenshots. None of it runs in a plain
// start without arguments until one of its keys is pressed or the mouse drags.
#include "demo/SimpleWindow.h"

#include "app/Registry.h"
#include "camera/Camera.h"
#include "graphics/GL.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Screenshot.h"
#include "graphics/Utils.h"
#include "input/EventManager.h"
#include "models/MD2Model.h"
#include "models/SkinSearch.h"
#include "text/Font.h"
#include "text/FontManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

// The hobgoblin's first frame is 57.67 units tall and shown at scale 0.2 with its feet at y -1.8,
// centred about (0, -2): every given model is framed to stand there as tall.
const float kFramedHeight = 57.67f * 0.2f;
const float kLongestFramed = 3.0f * kFramedHeight;
const float kFeetY = -1.8f;
const float kCentreX = 0.0f, kCentreZ = -2.0f;
const float kPi = 3.14159265f;
// A drag of one pixel turns the orbit by this many radians; a wheel notch zooms by 10%.
const float kDragStep = 0.01f;
const float kZoomStep = 1.1f;

// A skin that is missing leaves the model plain light grey rather than black.
unsigned int PlainTexture() {
    static const unsigned char grey[3] = {190, 190, 190};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, grey);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

std::string FileName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

} // namespace

bool SimpleWindow::LoadGivenModel() {
    if (!model->Load(options.model.c_str(), options.skin.empty() ? nullptr : options.skin.c_str())) {
        return false;
    }
    if (options.skin.empty() && model->GetTexture() == 0) {
        ReportMissingSkin();
    }
    if (model->GetTexture() == 0) {
        model->SetTexture(PlainTexture());
    }
    if (model->GetData().frames.empty() || model->GetData().frames[0].vertexCount == 0) {
        return true;
    }
    const FrameMesh& first = model->GetData().frames[0];
    Vec3 low = first.positions[0], high = first.positions[0];
    for (int v = 1; v < first.vertexCount; ++v) {
        const Vec3& p = first.positions[v];
        low = Vec3(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
        high = Vec3(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
    }
    // As tall as the hobgoblin, unless that makes it too long to stay in view (a snake, a flat
    // floor tile): then its longest side is kept within three hobgoblin heights.
    float height = high.y - low.y;
    float longest = std::max(height, std::max(high.x - low.x, high.z - low.z));
    framed = true;
    frameScale = 1.0f;
    if (longest > 0.0f) {
        frameScale = std::min(height > 0.0f ? kFramedHeight / height : kFramedHeight / longest,
                              kLongestFramed / longest);
    }
    frameBottom = low.y;
    frameCentreX = (low.x + high.x) * 0.5f;
    frameCentreZ = (low.z + high.z) * 0.5f;
    return true;
}

void SimpleWindow::ReportMissingSkin() {
    std::vector<std::string> tried;
    CSkinSearch::Find(options.model, model->GetLoader().GetSkinNames(), tried);
    std::string list;
    for (const std::string& name : tried) {
        list += (list.empty() ? "" : ", ") + name;
    }
    std::cerr << "No skin found for " << options.model << " (tried " << list << "): drawn untextured"
              << std::endl;
}

bool SimpleWindow::StartAnimation() {
    if (options.animation.empty()) {
        return true;
    }
    const ModelData& data = model->GetData();
    const std::string& wanted = options.animation;
    int index = -1;
    if (wanted.find_first_not_of("0123456789") == std::string::npos && wanted.size() < 9) {
        index = std::atoi(wanted.c_str());
    } else {
        for (int i = 0; i < data.animationCount; ++i) {
            if (data.animations[static_cast<size_t>(i)].name == wanted) {
                index = i;
                break;
            }
        }
    }
    if (index < 0 || index >= data.animationCount) {
        std::string file = options.model.empty() ? "Data/Models/MD2/tris.md2" : options.model;
        std::fprintf(stderr, "md2viewer: %s has no animation '%s' (it has %d, numbered from 0)\n",
                     file.c_str(), wanted.c_str(), data.animationCount);
        return false;
    }
    model->SetAnimation(index);
    return true;
}

void SimpleWindow::PlaceModel() {
    if (!framed) {
        return;
    }
    // The box's centre, scaled and turned as Render turns the model, lands on (kCentreX, kCentreZ).
    float angle = model->GetRotation() * kPi / 180.0f;
    float x = frameCentreX * frameScale, z = frameCentreZ * frameScale;
    float turnedX = x * std::cos(angle) + z * std::sin(angle);
    float turnedZ = -x * std::sin(angle) + z * std::cos(angle);
    model->SetScale(frameScale, frameScale, frameScale);
    model->SetPosition(kCentreX - turnedX, kFeetY - frameBottom * frameScale, kCentreZ - turnedZ);
}

void SimpleWindow::HandleToolEvent(const SDL_Event& event) {
    if (event.type == SDL_MOUSEBUTTONDOWN && (orbiting || framed)) {
        if (event.button.button == SDL_BUTTON_WHEELUP) {
            Orbit(0.0f, 0.0f, 1.0f / kZoomStep);
        } else if (event.button.button == SDL_BUTTON_WHEELDOWN) {
            Orbit(0.0f, 0.0f, kZoomStep);
        }
        return;
    }
    if (event.type != SDL_KEYDOWN) {
        return;
    }
    const int animation = model->GetData().currentAnimation;
    switch (event.key.keysym.sym) {
    case SDLK_PAGEDOWN:
        model->SetAnimation(animation + 1);
        break;
    case SDLK_PAGEUP:
        model->SetAnimation(animation - 1);
        break;
    case SDLK_SPACE:
        model->SetPaused(!model->IsPaused());
        break;
    case SDLK_COMMA:
    case SDLK_PERIOD:
        if (model->IsPaused()) {
            model->StepKeyFrame(event.key.keysym.sym == SDLK_PERIOD ? 1 : -1);
        }
        break;
    case SDLK_w:
        wireframe = !wireframe;
        break;
    case SDLK_c:
        model->SetBackFaceCulling(!model->GetBackFaceCulling());
        break;
    case SDLK_i:
        overlay = !overlay;
        break;
    case SDLK_F12:
        dueScreenshot = CScreenshot::NextFreeName(options.startDir, "md2viewer");
        break;
    default:
        break;
    }
}

void SimpleWindow::HandleDrag() {
    // Events leave the queue one a frame, so the pointer may already be past a press or a release
    // still waiting there: each is taken at its own position, and the orbit follows the pointer
    // exactly from the one to the other.
    const bool taken = gEventManager->HasEvent();
    const SDL_Event event = gEventManager->GetEvent();
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
        Orbit(-(x - dragX) * kDragStep, (y - dragY) * kDragStep, 1.0f);
    }
    dragX = x;
    dragY = y;
}

void SimpleWindow::Orbit(float yawStep, float pitchStep, float zoom) {
    if (!orbiting) {
        // The orbit turns about the middle of the model's box, from where the camera stands now.
        orbitTarget = Vec3(kCentreX, kFeetY + kFramedHeight * 0.5f, kCentreZ);
        Vec3 offset = gCamera->position - orbitTarget;
        orbitRadius = std::sqrt(offset.x * offset.x + offset.y * offset.y + offset.z * offset.z);
        orbitYaw = std::atan2(offset.x, offset.z);
        orbitPitch = std::asin(std::clamp(offset.y / std::max(orbitRadius, 1e-3f), -1.0f, 1.0f));
        orbiting = true;
    }
    orbitYaw += yawStep;
    orbitPitch = std::clamp(orbitPitch + pitchStep, -1.4f, 1.4f);
    orbitRadius = std::clamp(orbitRadius * zoom, 2.0f, 500.0f);
    Vec3 eye(orbitTarget.x + orbitRadius * std::cos(orbitPitch) * std::sin(orbitYaw),
             orbitTarget.y + orbitRadius * std::sin(orbitPitch),
             orbitTarget.z + orbitRadius * std::cos(orbitPitch) * std::cos(orbitYaw));
    gCamera->Place(eye.x, eye.y, eye.z, orbitTarget.x, orbitTarget.y, orbitTarget.z, 0.0f, 1.0f, 0.0f);
}

void SimpleWindow::DrawOverlay() {
    CFont* font = gFontManager->GetFont(1);
    const ModelData& data = model->GetData();
    if (!font) {
        return;
    }
    std::string file = FileName(options.model.empty() ? "Data/Models/MD2/tris.md2" : options.model);
    const MD2Header& header = model->GetLoader().GetHeader();
    int y = 110;
    const int line = 22;
    font->Print(1, y, 0, "File: %.60s", file.c_str());
    if (data.animationCount > 0) {
        const Animation& anim = data.animations[static_cast<size_t>(data.currentAnimation)];
        bool last = data.currentAnimation == data.animationCount - 1;
        // Numbered as the number keys, --animation and md2info number them, so the number read
        // here can be typed back.
        font->Print(1, y += line, 0, "Animation %d of 0-%d: %.40s", data.currentAnimation,
                    data.animationCount - 1, anim.name.c_str());
        font->Print(1, y += line, 0, "Frames %d-%d", anim.firstFrame,
                    last ? anim.endFrame : anim.endFrame - 1);
    }
    font->Print(1, y += line, 0, "Key frame %d%s", data.currentFrame, model->IsPaused() ? " (paused)" : "");
    const int vertices = data.frames.empty() ? 0 : data.frames[0].vertexCount;
    const int triangles = data.frames.empty() ? 0 : data.frames[0].triangleCount;
    font->Print(1, y += line, 0, "Triangles %d, vertices %d", triangles, vertices);
    font->Print(1, y += line, 0, "Skin %d x %d", header.skinWidth, header.skinHeight);
}

void SimpleWindow::SaveDueScreenshot() {
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
