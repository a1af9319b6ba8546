// glTF models for the tests, built with tinygltf: arrays appended to one buffer as accessors, images
// embedded, the whole written as a .glb file.
#pragma once

#include <tiny_gltf.h>

#include <array>
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
    // A mesh node of triangles with texture coordinates and a material, added to the default scene.
    void AddPart(const std::vector<float>& xyz, const std::vector<float>& uv,
                 const std::vector<uint16_t>& corners, int material);
    // A box of side `size` centred at (x, y, z), each face's texture coordinates running 0..repeats
    // across and 0..1 up.
    void AddBox(float x, float y, float z, float size, float repeats, int material);
    // A material whose texture (width x height) has its left half `left` and its right half `right`.
    int AddTwoColourMaterial(std::array<uint8_t, 3> left, std::array<uint8_t, 3> right, int width = 16,
                             int height = 8);
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
