// The animations: each MD2 animation plays its key frames in the engine's order on the engine's
// clock (or at the rate an animation table gives it), and the morph weights move linearly from one key
// frame's target to the next, which puts the vertices exactly where the engine's interpolation puts
// them. The last key steps back to the first key frame, as the engine's loop does, unless the
// animation plays once. Linked parts step through the same targets; parts on tags move with the tags.
#include "GltfExporter.h"

#include <tiny_gltf.h>

#include <algorithm>

namespace {

// The key frames of animation a, closed by its first frame again when it loops.
std::vector<int> KeyFrames(const ModelData& model, int a) {
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
    return frames;
}

// The weights of `targets` morph targets at each key frame of every animation, one after the other:
// frame 0 is the base shape itself (all weights 0), frame f target f - 1 at full weight.
std::vector<float> KeyWeights(const std::vector<std::vector<int>>& keys, int targets) {
    std::vector<float> weights;
    for (const std::vector<int>& frames : keys) {
        for (int frame : frames) {
            const size_t at = weights.size();
            weights.resize(at + static_cast<size_t>(targets), 0.0f);
            if (frame > 0) {
                weights[at + static_cast<size_t>(frame - 1)] = 1.0f;
            }
        }
    }
    return weights;
}

} // namespace

void CGltfExporter::AddAnimations(const ModelData& body, const std::vector<GltfPart>& parts,
                                  const CMD2Tags* tags) {
    animationCount = 0;
    // The nodes the animations move: the body and its linked parts by their weights, when their
    // frames move, and the parts on tags by the tags.
    std::vector<int> weighted, tagged;
    for (size_t m = 0; m < meshTargets.size(); ++m) {
        const bool onTag = m > 0 && parts[m - 1].tag >= 0;
        if (onTag && tags) {
            tagged.push_back(static_cast<int>(m));
        } else if (!onTag && meshTargets[m] > 0) {
            weighted.push_back(static_cast<int>(m));
        }
    }
    if (weighted.empty() && tagged.empty()) {
        return;
    }
    std::vector<std::vector<int>> keys;
    std::vector<float> rates;
    for (int a = 0; a < body.animationCount; ++a) {
        keys.push_back(KeyFrames(body, a));
        const float rate = body.animations[static_cast<size_t>(a)].framesPerSecond;
        rates.push_back(rate > 0.0f ? rate : options.framesPerSecond);
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
    // The weights of every animation, one view a node.
    std::vector<int> weightViews;
    for (int node : weighted) {
        const std::vector<float> weights = KeyWeights(keys, meshTargets[static_cast<size_t>(node)]);
        const size_t size = weights.size() * sizeof(float);
        weightViews.push_back(AddView(Append(weights.data(), size), size, 0, 0));
    }

    size_t keysBefore = 0;
    for (size_t a = 0; a < keys.size(); ++a) {
        const size_t n = keys[a].size();
        const size_t r = std::find(rateOrder.begin(), rateOrder.end(), rates[a]) - rateOrder.begin();
        tinygltf::Animation animation;
        animation.name = CleanName(body.animations[a].name);
        const int input = AddAccessor(timeViews[r], 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_SCALAR, n,
                                      {0.0}, {static_cast<double>(times[r][n - 1])});
        for (size_t w = 0; w < weighted.size(); ++w) {
            const size_t targets = static_cast<size_t>(meshTargets[static_cast<size_t>(weighted[w])]);
            tinygltf::AnimationSampler sampler;
            sampler.input = input;
            sampler.output = AddAccessor(weightViews[w], keysBefore * targets * sizeof(float),
                                         TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_SCALAR, n * targets);
            sampler.interpolation = "LINEAR";
            tinygltf::AnimationChannel channel;
            channel.sampler = static_cast<int>(animation.samplers.size());
            channel.target_node = weighted[w];
            channel.target_path = "weights";
            animation.samplers.push_back(sampler);
            animation.channels.push_back(channel);
        }
        for (int node : tagged) {
            AddTagChannels(animation, input, node, *tags, parts[static_cast<size_t>(node) - 1].tag, keys[a]);
        }
        keysBefore += n;
        document->animations.push_back(animation);
    }
    animationCount = static_cast<int>(keys.size());
}
