#include "models/MD2Instance.h"

#include "base/GL.h"

#include <SDL.h>
#include <algorithm>
#include <utility>

namespace {

uint32_t (*tickSource)() = nullptr;

uint32_t Ticks() {
    return tickSource ? tickSource() : SDL_GetTicks();
}

const std::vector<Animation> kNoAnimations;

} // namespace

CMD2Instance::CMD2Instance() : CMD2Instance(nullptr) {}

CMD2Instance::CMD2Instance(std::shared_ptr<const CMD2Mesh> shared)
    : mesh(std::move(shared)), animation(0), frame(0), lastTick(0), position(), scale(1.0f, 1.0f, 1.0f),
      rotation(0.0f), paused(false), cullBackFaces(false), hasOwnSkin(false), shownFrom(-1), shownNext(0),
      shownT(0.0f) {}

void CMD2Instance::SetTickSource(uint32_t (*source)()) {
    tickSource = source;
}

void CMD2Instance::SetMesh(std::shared_ptr<const CMD2Mesh> shared) {
    mesh = std::move(shared);
    table.reset();
    carried.reset();
    animation = 0;
    frame = 0;
    shownFrom = -1;
}

bool CMD2Instance::SetAnimations(std::shared_ptr<const std::vector<Animation>> animations) {
    const int frames = mesh ? mesh->GetData().frameCount : 0;
    if (animations) {
        for (const Animation& a : *animations) {
            if (a.firstFrame < 0 || a.endFrame >= frames || a.firstFrame > a.endFrame || !a.endIsLast) {
                return false;
            }
        }
    }
    table = animations && !animations->empty() ? std::move(animations) : nullptr;
    animation = 0;
    frame = GetAnimations().empty() ? 0 : GetAnimations().front().firstFrame;
    return true;
}

const std::vector<Animation>& CMD2Instance::GetAnimations() const {
    if (table) {
        return *table;
    }
    return mesh ? mesh->GetData().animations : kNoAnimations;
}

void CMD2Instance::SetSkin(std::shared_ptr<const CTexture> texture) {
    skin = std::move(texture);
    hasOwnSkin = true;
}

void CMD2Instance::SetSkin(unsigned int texture) {
    SetSkin(MD2Skin::Of(texture));
}

void CMD2Instance::SetSkin(const MD2Skin& own) {
    SetSkin(own.texture != 0 ? CTexture::View(own.texture, own.hasAlpha) : nullptr);
}

MD2Skin CMD2Instance::GetSkin() const {
    if (hasOwnSkin || !mesh) {
        return MD2Skin::Of(skin);
    }
    return mesh->GetSkin();
}

void CMD2Instance::SetAnimation(int n) {
    const std::vector<Animation>& animations = GetAnimations();
    if (animations.empty()) {
        return;
    }
    int count = static_cast<int>(animations.size());
    animation = ((n % count) + count) % count;
    frame = animations[static_cast<size_t>(animation)].firstFrame;
}

float CMD2Instance::UpdateTime(int next) {
    uint32_t now = Ticks();
    // Tick times as floats lose whole milliseconds after about 4.7 hours and run backwards at the
    // counter's wrap (49.7 days), which would stop the animation for good; the unsigned difference
    // of the integer ticks is exact.
    const float elapsed = static_cast<float>(now - lastTick);
    const std::vector<Animation>& animations = GetAnimations();
    const float period =
        animations.empty() ? kKeyFrameMs : KeyFrameMs(animations[static_cast<size_t>(animation)]);
    if (elapsed >= period) {
        frame = next;
        lastTick = now;
    }
    // The first draw after start-up measures from tick 0, and a long pause spans many periods;
    // past 1 the vertices would be thrown beyond the next key frame.
    return std::clamp(elapsed / period, 0.0f, 1.0f);
}

void CMD2Instance::SetPaused(bool pause) {
    // Resuming restarts the running key frame, so it is shown whole before the clock moves on.
    if (paused && !pause) {
        lastTick = Ticks();
    }
    paused = pause;
}

void CMD2Instance::ShowKeyFrame(int target) {
    const std::vector<Animation>& animations = GetAnimations();
    if (animations.empty()) {
        return;
    }
    const int firstFrame = animations[static_cast<size_t>(animation)].firstFrame;
    frame = std::clamp(target, firstFrame, std::max(firstFrame, LastKeyFrame(animations, animation)));
    // The key frame is shown whole before the clock, if it runs, moves on.
    lastTick = Ticks();
}

int CMD2Instance::NextFrame(int from) const {
    if (GetAnimations().empty()) {
        return from;
    }
    return NextKeyFrame(GetAnimations(), animation, from);
}

void CMD2Instance::StepKeyFrame(int steps) {
    const std::vector<Animation>& animations = GetAnimations();
    if (animations.empty()) {
        return;
    }
    const Animation& playing = animations[static_cast<size_t>(animation)];
    if (steps > 0) {
        // Stepping wraps round even an animation that plays once.
        const int next = NextFrame(frame);
        frame = next == frame ? playing.firstFrame : next;
        return;
    }
    // One step back is the frame whose next one is the current frame.
    int back = playing.firstFrame;
    for (int i = 0; i < mesh->GetData().frameCount && NextFrame(back) != frame; ++i) {
        back = NextFrame(back);
    }
    frame = back;
}

void CMD2Instance::Render() {
    // The frame being left is taken before the clock runs: the draw that switches key frames shows
    // the next one whole. Without animations (a single-frame file) the frame stands still.
    const int from = frame;
    int next = frame;
    float t = 0.0f;
    if (!GetAnimations().empty()) {
        next = NextFrame(frame);
        t = paused ? 0.0f : UpdateTime(next);
    }
    DrawPose(from, next, t);
}

void CMD2Instance::DrawPose(int from, int next, float t) {
    if (!mesh || mesh->GetData().frames.empty()) {
        return;
    }
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation, 0.0f, 1.0f, 0.0f);
    glScalef(scale.x, scale.y, scale.z);
    mesh->Draw(from, next, t, cullBackFaces, GetSkin());
    RenderParts(from, next, t);
    glPopMatrix();
}
