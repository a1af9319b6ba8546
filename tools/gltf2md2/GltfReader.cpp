#include "GltfReader.h"

#include "GltfUnpack.h"
#include "SkinTexture.h"

#include <tiny_gltf.h>

#include <cstring>

using nlohmann::json;

namespace {

// Required extensions that can be read: compressed and quantized geometry, texture coordinate
// transforms, and material extensions, which only change looks.
bool Understood(const std::string& name) {
    return name == "KHR_mesh_quantization" || name == "EXT_meshopt_compression" ||
           name == "KHR_draco_mesh_compression" || name == "KHR_texture_transform" ||
           name.compare(0, 14, "KHR_materials_") == 0;
}

// The lists decoding appends to must be lists.
bool ListsFit(const json& root, std::string& error) {
    for (const char* name : {"buffers", "bufferViews", "accessors"}) {
        const json* list = Member(root, name);
        if (list && !list->is_array()) {
            error = std::string("its ") + name + " are not a list";
            return false;
        }
    }
    return true;
}

// tinygltf's messages as one line.
std::string OneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        text.replace(at, 1, "; ");
    }
    return text;
}

bool Load(const std::vector<uint8_t>& bytes, bool binary, const std::string& baseDir, tinygltf::Model& model,
          std::string& error) {
    tinygltf::TinyGLTF reader;
    reader.SetImageLoader(KeepImageBytes, nullptr);
    std::string warning;
    const auto size = static_cast<unsigned int>(bytes.size());
    const bool ok =
        binary ? reader.LoadBinaryFromMemory(&model, &error, &warning, bytes.data(), size, baseDir)
               : reader.LoadASCIIFromString(&model, &error, &warning,
                                            reinterpret_cast<const char*>(bytes.data()), size, baseDir);
    error = ok ? std::string() : OneLine(error.empty() ? "not a glTF file" : error);
    return ok;
}

} // namespace

bool ReadGltfBytes(const std::vector<uint8_t>& bytes, const std::string& baseDir, tinygltf::Model& model,
                   std::string& error) {
    if (bytes.size() > kMaxTotalBytes) {
        error = "larger than 1 GiB";
        return false;
    }
    const bool binary = bytes.size() >= 4 && std::memcmp(bytes.data(), "glTF", 4) == 0;
    std::string text;
    std::vector<uint8_t> chunk;
    bool hasChunk = false;
    if (binary && !SplitGlb(bytes, text, chunk, hasChunk)) {
        error = "a GLB file whose chunks do not fit in its " + std::to_string(bytes.size()) + " bytes";
        return false;
    }
    GltfDocument document;
    document.json = json::parse(binary ? text : std::string(bytes.begin(), bytes.end()), nullptr, false);
    // Text that does not parse is left to tinygltf, whose message says where it goes wrong.
    if (!document.json.is_object()) {
        return Load(bytes, binary, baseDir, model, error);
    }
    const json* required = Member(document.json, "extensionsRequired");
    for (size_t i = 0; required && required->is_array() && i < required->size(); ++i) {
        const json& name = (*required)[i];
        if (name.is_string() && !Understood(name.get<std::string>())) {
            error = "needs " + name.get<std::string>() + ", which gltf2md2 does not read";
            return false;
        }
    }
    // Every file goes through the same rebuilding, compressed or not: it checks every buffer view
    // against its buffer, which tinygltf leaves unchecked for images.
    std::vector<uint8_t> glb;
    return ListsFit(document.json, error) &&
           LoadBuffers(document, hasChunk ? &chunk : nullptr, baseDir, error) &&
           DecodeMeshopt(document, error) && DecodeDraco(document, error) && WriteGlb(document, glb, error) &&
           Load(glb, true, baseDir, model, error);
}
