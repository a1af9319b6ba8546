// A small glTF model with everything a converter meets in shared files: a textured tube on a skin of
// two joints, bending in one animation. Used where the same model must come in many packings (the
// compressed-file tests, the glTF fuzz seeds).
#pragma once

#include <cstdint>
#include <vector>

namespace korvel::test {

// The tube's .glb bytes: 8 sides, 5 rings 0.2 m apart, an 8 x 8 PNG skin; "base" stands at the
// origin and "tip" 0.4 m above it, the rings between them blend the two; "Curl" turns the tip 60
// degrees about z and slides the base 0.2 m along x over one second.
std::vector<uint8_t> SkinnedTubeGlb();

// How shared files come packed: gltfpack's default (quantized integer attributes), gltfpack -cc
// (quantized and compressed with meshoptimizer), draco_transcoder's default (Draco meshes).
enum class GltfPacking { Quantized, Meshopt, Draco };
// A .glb packed by the tool; empty when the tool is not installed or fails.
std::vector<uint8_t> PackGlb(const std::vector<uint8_t>& glb, GltfPacking packing);

} // namespace korvel::test
