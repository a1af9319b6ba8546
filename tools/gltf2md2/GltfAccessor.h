// Reading glTF accessors with every offset, stride and count checked against its buffer, so that a
// damaged file gets a message instead of a read past the end.
#pragma once

#include <string>
#include <vector>

namespace tinygltf {
class Model;
}

// Accessor `index` of `model` as doubles, `components` per element (1 for SCALAR up to 16 for MAT4;
// the accessor's type must match). Normalized integers become 0..1 (or -1..1) as glTF defines;
// other integers keep their values, which doubles hold exactly. A sparse accessor's elements are
// its buffer view's (zeros without one) with those it lists replaced. False, with the reason in
// `error`, for a missing or misplaced accessor, a wrong type, or a value that is not finite.
bool ReadAccessor(const tinygltf::Model& model, int index, int components, std::vector<double>& values,
                  std::string& error);

// The same as floats.
bool ReadAccessor(const tinygltf::Model& model, int index, int components, std::vector<float>& values,
                  std::string& error);
