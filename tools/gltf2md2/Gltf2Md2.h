// The conversion after the file is read, one code path for gltf2md2 and its fuzz target: a glTF
// model baked into the MD2 file's bytes, its skin as PNG and the animation table beside it.
#pragma once

#include "Md2Baker.h"

#include <cstdint>
#include <string>
#include <vector>

struct Gltf2Md2Output {
    std::vector<uint8_t> md2;
    // Empty for a model drawn plain.
    std::vector<uint8_t> png;
    // The .anm file's text; empty for a still model.
    std::string table;
    // What the conversion did or left out, one line each.
    std::vector<std::string> notes;
    // "V vertices, T triangles, K key frames, A animations (names), SKIN WxH"
    std::string summary;
};

// Converts `model` for an MD2 file named `md2Name` (its skin is named after it, BASE.png). False, with
// the reason in `error`, when the model cannot be converted.
bool ConvertGltf(const tinygltf::Model& model, const Md2BakeOptions& options, const std::string& md2Name,
                 Gltf2Md2Output& output, std::string& error);
