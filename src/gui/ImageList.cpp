#include "gui/ImageList.h"

#include "textures/Image.h"

#include <SDL.h>
#include <algorithm>
#include <string>

namespace {

uint32_t (*tickSource)() = nullptr;

uint32_t Ticks() {
    return tickSource ? tickSource() : SDL_GetTicks();
}

const uint32_t DefaultFrameRate = 20;

} // namespace

void CImageList::SetTickSource(uint32_t (*source)()) {
    tickSource = source;
}

CImageList::CImageList()
    : frameCount(0), currentFrame(0), position(0.0f, 0.0f), lastTick(Ticks()), frameRate(DefaultFrameRate) {}

CImageList::CImageList(const char* prefix, uint32_t count, float x, float y)
    : frameCount(count), currentFrame(1), position(0.0f, 0.0f), lastTick(Ticks()),
      frameRate(DefaultFrameRate) {
    LoadFrames(prefix, count);
    SetPosition(x, y);
}

CImageList::~CImageList() {
    for (CImage* frame : frames) {
        delete frame;
    }
}

void CImageList::LoadFrames(const char* prefix, uint32_t count) {
    const std::string base = prefix ? prefix : "";
    // Room for the usual few frames only: an absurd count must not fail on the allocation up front.
    frames.reserve(std::min<uint32_t>(count, 256));
    for (uint32_t n = 1; n <= count; ++n) {
        frames.push_back(new CImage(base + std::to_string(n) + ".png"));
    }
}

bool CImageList::TakeStep() {
    if (frameCount == 0 || frameRate == 0) {
        return false;
    }
    float duration = 1000.0f / static_cast<float>(frameRate);
    // Unsigned subtraction keeps the difference right across the wrap of the tick counter.
    float elapsed = static_cast<float>(Ticks() - lastTick);
    if (!(elapsed > duration)) {
        return false;
    }
    lastTick = Ticks();
    return true;
}

void CImageList::DrawCurrent(float atX, float atY) {
    DrawFrameAt(static_cast<int32_t>(currentFrame) - 1, atX, atY);
}

void CImageList::DrawLoop() {
    DrawLoopAt(position.first, position.second);
}

void CImageList::DrawLoopAt(float atX, float atY) {
    DrawCurrent(atX, atY);
    if (TakeStep()) {
        currentFrame = currentFrame + 1 > frameCount ? 1 : currentFrame + 1;
    }
}

void CImageList::PlayOnce() {
    PlayOnceAt(position.first, position.second);
}

void CImageList::PlayOnceAt(float atX, float atY) {
    DrawCurrent(atX, atY);
    if (TakeStep() && currentFrame < frameCount) {
        ++currentFrame;
    }
}

void CImageList::DrawFrame(int32_t index) {
    DrawFrameAt(index, position.first, position.second);
}

void CImageList::DrawFrameAt(int32_t index, float atX, float atY) {
    if (CImage* frame = GetFrame(index)) {
        frame->Draw(atX, atY, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    }
}

void CImageList::Rewind() {
    currentFrame = 1;
}

CImage* CImageList::GetFrame(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= frames.size()) {
        return nullptr;
    }
    return frames[static_cast<size_t>(index)];
}

void CImageList::SetPosition(float newX, float newY) {
    position = {newX, newY};
}

void CImageList::GetPosition(float& outX, float& outY) const {
    outX = position.first;
    outY = position.second;
}
