// Reading a glTF file's bytes into a tinygltf model, compressed or not: meshoptimizer's buffer views
// and Draco meshes are decoded first, since tinygltf reads neither.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tinygltf {
class Model;
}

// The glTF (a GLB or JSON text) in `bytes` as a model; external buffers and images are read relative
// to `baseDir` (empty: the working directory). Images keep their undecoded bytes. False, with one line
// in `error`, for a file that is damaged or needs an extension this reader does not understand.
bool ReadGltfBytes(const std::vector<uint8_t>& bytes, const std::string& baseDir, tinygltf::Model& model,
                   std::string& error);
