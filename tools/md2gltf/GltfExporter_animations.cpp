// The animations: each MD2 animation plays its key frames in the engine's order on the engine's
// clock, and the morph weights move linearly from one key frame's target to the next, which puts the
// vertices exactly where the engine's interpolation puts them. The last key steps back to the first
// key frame, as the engine's loop does.
#include "GltfExporter.h"

#include <tiny_gltf.h>

#include <algorithm>

void CGltfExporter::AddAnimations(const ModelData& model) {
    if (targetCount == 0) {
        return;
    }
    // Every animation's key frames, closed by its first frame again.
    std::vector<std::vector<int>> keys;
    size_t longest = 0;
    for (int a = 0; a < model.animationCount; ++a) {
        const int first = model.animations[static_cast<size_t>(a)].firstFrame;
        std::vector<int> frames{first};
        for (int frame = NextKeyFrame(model, a, first);
             frame != first && static_cast<int>(frames.size()) <= model.frameCount;
             frame = NextKeyFrame(model, a, frame)) {
            frames.push_back(frame);
        }
        frames.push_back(first);
        longest = std::max(longest, frames.size());
        keys.push_back(std::move(frames));
    }
    if (keys.empty()) {
        return;
    }

    // One list of key times serves every animation: each reads as many as it has keys.
    std::vector<float> times(longest);
    for (size_t i = 0; i < longest; ++i) {
        times[i] = static_cast<float>(static_cast<double>(i) / options.framesPerSecond);
    }
    const int timeView =
        AddView(Append(times.data(), times.size() * sizeof(float)), times.size() * sizeof(float), 0, 0);

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
        tinygltf::AnimationSampler sampler;
        sampler.input = AddAccessor(timeView, 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_SCALAR, n,
                                    {0.0}, {static_cast<double>(times[n - 1])});
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
