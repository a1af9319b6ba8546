#include "models/ModelData.h"

#include <limits>

FrameList::FrameList(std::vector<FrameMesh> list)
    : frames(std::make_shared<std::vector<FrameMesh>>(std::move(list))) {}

const std::vector<FrameMesh>& FrameList::Read() const {
    static const std::vector<FrameMesh> none;
    return frames ? *frames : none;
}

std::vector<FrameMesh>& FrameList::Edit() {
    if (!frames) {
        frames = std::make_shared<std::vector<FrameMesh>>();
    } else if (frames.use_count() > 1) {
        frames = std::make_shared<std::vector<FrameMesh>>(*frames);
    }
    return *frames;
}

int NextKeyFrame(const ModelData& model, int animation, int frame) {
    return NextKeyFrame(model.animations, animation, frame);
}

int NextKeyFrame(const std::vector<Animation>& animations, int animation, int frame) {
    const Animation& anim = animations[static_cast<size_t>(animation)];
    if (anim.endIsLast || animation == static_cast<int>(animations.size()) - 1) {
        if (frame + 1 <= anim.endFrame) {
            return frame + 1;
        }
        return anim.loop ? anim.firstFrame : anim.endFrame;
    }
    int next = (frame + 1) % anim.endFrame;
    return next == 0 ? anim.firstFrame : next;
}

int LastKeyFrame(const std::vector<Animation>& animations, int animation) {
    const Animation& anim = animations[static_cast<size_t>(animation)];
    const bool inclusive = anim.endIsLast || animation == static_cast<int>(animations.size()) - 1;
    return inclusive ? anim.endFrame : anim.endFrame - 1;
}

float KeyFrameMs(const Animation& animation) {
    if (animation.held) {
        return std::numeric_limits<float>::infinity();
    }
    return animation.framesPerSecond > 0.0f ? 1000.0f / animation.framesPerSecond : 200.0f;
}
