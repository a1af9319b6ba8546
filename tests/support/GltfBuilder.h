// glTF models for the tests, built with tinygltf: arrays appended to one buffer as accessors, images
// embedded, the whole written as a .glb file.
#pragma once

#include <tiny_gltf.h>

#include <cstdint>
#include <string>
#include <vector>

namespace korvel::test {

struct GltfBuilder {
    tinygltf::Model model;

    GltfBuilder();
    // An accessor of `components` floats per element (SCALAR, VEC2, VEC3, VEC4 or MAT4 for 16), with
    // its bounds when asked (glTF wants them on positions and animation times).
    int AddFloats(const std::vector<float>& values, int components, bool bounds = false);
    // An accessor of unsigned shorts: SCALAR indices, or VEC4 joints with components 4.
    int AddShorts(const std::vector<uint16_t>& values, int components = 1);
    // An embedded PNG image and a texture showing it; returns the texture.
    int AddTexture(const std::vector<uint8_t>& png);
    // A linear sampler of `width` floats a key and a channel driving `path` ("translation",
    // "rotation", "scale") of `node` with it, added to the animation.
    void AddChannel(tinygltf::Animation& animation, int node, const char* path,
                    const std::vector<float>& times, const std::vector<float>& values, int width);
    // A chain of joint nodes up the y axis, each `step` metres above its parent, and a skin over them
    // whose inverse bind matrices undo those heights; returns the skin. The first joint is the root.
    int AddJointChain(const std::vector<std::string>& names, float step);
    // The file's bytes: a .glb holding everything.
    std::vector<uint8_t> Glb() const;
};

} // namespace korvel::test
