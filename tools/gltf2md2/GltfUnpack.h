// A glTF file taken apart before tinygltf reads it: its JSON and the bytes of each buffer, so that
// compressed data (meshoptimizer's buffer views, Draco meshes) can be decoded into plain buffer views
// and accessors, and the whole put back together as one GLB with a single buffer.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

struct GltfDocument {
    nlohmann::json json;
    // One entry per glTF buffer, then one per block of decoded data a decoder added; buffer views
    // name them by index.
    std::vector<std::vector<uint8_t>> buffers;
};

// The largest block of decoded data, and the most all buffers together may hold.
const uint64_t kMaxDecodedBytes = uint64_t(256) << 20;
const uint64_t kMaxTotalBytes = uint64_t(1) << 30;

// A GLB's JSON chunk and its binary chunk (when it has one); false when the chunks do not fit.
bool SplitGlb(const std::vector<uint8_t>& bytes, std::string& text, std::vector<uint8_t>& binary,
              bool& hasBinary);
// JSON text and a binary chunk (none when empty) as a GLB, both padded as GLB wants.
std::vector<uint8_t> JoinGlb(std::string text, std::vector<uint8_t> binary);

// The member `key` of `object`, or null when `object` is no object or has no such member.
const nlohmann::json* Member(const nlohmann::json& object, const char* key);
nlohmann::json* Member(nlohmann::json& object, const char* key);
// Member `key` as a whole number (not negative, at most `limit`). When the member is absent,
// `value` keeps what it holds and the result is !required. False for anything but a whole number.
bool WholeNumber(const nlohmann::json& object, const char* key, uint64_t limit, uint64_t& value,
                 bool required = true);
// Removes the extension `name` from an object's "extensions" (and the member, once empty).
void DropExtension(nlohmann::json& object, const char* name);

// Reads every buffer's bytes: the GLB's binary chunk (`glbBinary`, for buffer 0 without a URI),
// data: URIs, or files relative to `baseDir`. meshoptimizer's fallback buffers stay empty: their
// bytes come from decoding.
bool LoadBuffers(GltfDocument& document, const std::vector<uint8_t>* glbBinary, const std::string& baseDir,
                 std::string& error);
// The bytes of buffer view `index`, checked against its buffer.
bool ViewBytes(const GltfDocument& document, uint64_t index, const uint8_t*& bytes, size_t& size,
               std::string& error);
// Appends a block of decoded bytes as a new buffer; returns the buffer.
uint64_t AddBuffer(GltfDocument& document, std::vector<uint8_t> bytes);
// Appends a block of decoded bytes as a new buffer and a buffer view over it; returns the view.
uint64_t AddDecodedView(GltfDocument& document, std::vector<uint8_t> bytes);
// Decodes every buffer view compressed with EXT_meshopt_compression in place.
bool DecodeMeshopt(GltfDocument& document, std::string& error);
// Decodes every primitive compressed with KHR_draco_mesh_compression into plain accessors.
bool DecodeDraco(GltfDocument& document, std::string& error);
// The document as one GLB: every buffer merged into buffer 0, the decoded extensions no longer named.
bool WriteGlb(GltfDocument& document, std::vector<uint8_t>& glb, std::string& error);
