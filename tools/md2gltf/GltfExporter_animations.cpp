// The animations: each MD2 animation plays its key frames in the engine's order on the engine's
// clock (or at the rate an animation table gives it), and the morph weights move linearly from one key
// frame's target to the next, which puts the vertices exactly where the engine's interpolation puts
// them. The last key steps back to the first key frame, as the engine's loop does, unless the
// animation plays once.
#include "GltfExporter.h"

#include <tiny_gltf.h>

#include <algorithm>

void CGltfExporter::AddAnimations(const ModelData& model) {
    if (targetCount == 0) {
        return;
    }
    // Every animation's key frames, closed by its first frame again when it loops, and its rate.
    std::vector<std::vector<int>> keys;
    std::vector<float> rates;
    for (int a = 0; a < model.animationCount; ++a) {
        const Animation& animation = model.animations[static_cast<size_t>(a)];
        const int first = animation.firstFrame;
        std::vector<int> frames{first};
        for (int frame = NextKeyFrame(model, a, first);
             frame != first && frame != frames.back() && static_cast<int>(frames.size()) <= model.frameCount;
             frame = NextKeyFrame(model, a, frame)) {
            frames.push_back(frame);
        }
        if (animation.loop) {
            frames.push_back(first);
        }
        keys.push_back(std::move(frames));
        rates.push_back(animation.framesPerSecond > 0.0f ? animation.framesPerSecond
                                                         : options.framesPerSecond);
    }
    if (keys.empty()) {
        return;
    }

    // One list of key times serves every animation of one rate: each reads as many as it has keys.
    std::vector<float> rateOrder;
    std::vector<std::vector<float>> times;
    for (size_t a = 0; a < keys.size(); ++a) {
        const size_t r = std::find(rateOrder.begin(), rateOrder.end(), rates[a]) - rateOrder.begin();
        if (r == rateOrder.size()) {
            rateOrder.push_back(rates[a]);
            times.emplace_back();
        }
        for (size_t i = times[r].size(); i < keys[a].size(); ++i) {
            times[r].push_back(static_cast<float>(static_cast<double>(i) / rates[a]));
        }
    }
    std::vector<int> timeViews;
    for (const std::vector<float>& list : times) {
        const size_t size = list.size() * sizeof(float);
        timeViews.push_back(AddView(Append(list.data(), size), size, 0, 0));
    }

    std::vector<float> weights;
    for (const std::vector<int>& frames : keys) {
        for (int frame : frames) {
            const size_t at = weights.size();
            weights.resize(at + static_cast<size_t>(targetCount), 0.0f);
            // Frame 0 is the base shape itself: all weights stay 0.
            if (frame > 0) {
                weights[at + static_cast<size_t>(frame - 1)] = 1.0f;
            }
        }
    }
    const size_t size = weights.size() * sizeof(float);
    const int weightView = AddView(Append(weights.data(), size), size, 0, 0);

    size_t offset = 0;
    for (size_t a = 0; a < keys.size(); ++a) {
        const size_t n = keys[a].size();
        const size_t r = std::find(rateOrder.begin(), rateOrder.end(), rates[a]) - rateOrder.begin();
        tinygltf::AnimationSampler sampler;
        sampler.input = AddAccessor(timeViews[r], 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_SCALAR, n,
                                    {0.0}, {static_cast<double>(times[r][n - 1])});
        sampler.output = AddAccessor(weightView, offset, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_SCALAR,
                                     n * static_cast<size_t>(targetCount));
        sampler.interpolation = "LINEAR";
        offset += n * static_cast<size_t>(targetCount) * sizeof(float);
        tinygltf::AnimationChannel channel;
        channel.sampler = 0;
        channel.target_node = 0;
        channel.target_path = "weights";
        tinygltf::Animation animation;
        animation.name = CleanName(model.animations[a].name);
        animation.samplers.push_back(sampler);
        animation.channels.push_back(channel);
        document->animations.push_back(animation);
    }
    animationCount = static_cast<int>(keys.size());
}
