#include "viewer/ViewerTimeline.h"

#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "gui/GuiFrame.h"
#include "input/EventManager.h"
#include "models/MD2Model.h"
#include "textures/Image.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The knob's middle reaches the track's ends, inset by half the knob, and runs this far between them.
const float kInset = 6.0f;
const float kSpan = static_cast<float>(CViewerTimeline::kRight - CViewerTimeline::kLeft) - 2.0f * kInset;

// The playing animation's first and last key frames.
std::pair<int, int> Range(const CMD2Model& model) {
    const ModelData& data = model.GetData();
    if (data.animationCount == 0) {
        return {data.currentFrame, data.currentFrame};
    }
    const int first = data.animations[static_cast<size_t>(data.currentAnimation)].firstFrame;
    return {first, std::max(first, LastKeyFrame(data.animations, data.currentAnimation))};
}

} // namespace

CViewerTimeline::CViewerTimeline()
    : track(new CImage("Data/GUI/timeline_track.png")), tick(new CImage("Data/GUI/timeline_tick.png")),
      knob(new CImage("Data/GUI/timeline_knob.png")) {
    track->SetWidth(static_cast<float>(kRight - kLeft));
}

CViewerTimeline::~CViewerTimeline() = default;

bool CViewerTimeline::Covers(int x, int y) {
    return x >= kLeft && x <= kRight && y >= kTop && y <= kBottom;
}

float CViewerTimeline::FrameX(const CMD2Model& model, int frame) {
    const auto [first, last] = Range(model);
    const float share =
        last > first ? static_cast<float>(frame - first) / static_cast<float>(last - first) : 0.0f;
    return static_cast<float>(kLeft) + kInset + kSpan * share;
}

int CViewerTimeline::FrameAt(const CMD2Model& model, int x) {
    const auto [first, last] = Range(model);
    const float share = std::clamp((static_cast<float>(x - kLeft) - kInset) / kSpan, 0.0f, 1.0f);
    return first + static_cast<int>(std::lround(share * static_cast<float>(last - first)));
}

void CViewerTimeline::HandleMouse(CMD2Model& model) {
    const SDL_Event event = gEventManager->GetEvent();
    const bool taken = gEventManager->HasEvent();
    // A press is taken where it happened: the pointer may have moved on before its event left the queue.
    if (!dragging && taken && GuiLeftPressed() && Covers(event.button.x, event.button.y)) {
        dragging = true;
        wasPaused = model.IsPaused();
        model.SetPaused(true);
        model.ShowKeyFrame(FrameAt(model, event.button.x));
    }
    if (!dragging) {
        return;
    }
    const bool released = taken && GuiLeftReleased();
    const int x = released ? event.button.x : gEventManager->GetMouseX();
    if (model.GetData().currentFrame != FrameAt(model, x)) {
        model.ShowKeyFrame(FrameAt(model, x));
    }
    if (released || !gEventManager->IsLeftButtonDown()) {
        dragging = false;
        model.SetPaused(wasPaused);
    }
}

void CViewerTimeline::Draw(const CMD2Model& model) const {
    const auto [first, last] = Range(model);
    const float middle = static_cast<float>(kTop + kBottom) * 0.5f;
    gGraphicsCore->Begin2D();
    track->Draw(static_cast<float>(kLeft), middle - track->GetHeight() * 0.5f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f,
                1.0f);
    // Every key frame a tick, unless they would crowd closer than 3 pixels: then every n-th.
    const int every =
        std::max(1, static_cast<int>(std::ceil(3.0f * static_cast<float>(last - first) / kSpan)));
    for (int frame = first; frame <= last; frame += every) {
        const float x = FrameX(model, frame) - tick->GetWidth() * 0.5f;
        tick->Draw(x, middle - tick->GetHeight() * 0.5f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.8f);
    }
    const float knobX = FrameX(model, model.GetData().currentFrame) - knob->GetWidth() * 0.5f;
    knob->Draw(knobX, middle - knob->GetHeight() * 0.5f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    gGraphicsCore->End2D();
}
