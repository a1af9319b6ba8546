#include "GltfExporter.h"

#include "base/Version.h"

#include <tiny_gltf.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <strings.h>
#include <sys/stat.h>

namespace {

const char* const kGenerator = "md2gltf (Korvel Engine) " KORVEL_VERSION;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool WriteBytes(const std::string& path, const void* data, size_t size, std::string* error) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    // A full disk may show only when the last buffered bytes go out on close.
    if (!file || std::fwrite(data, 1, size, file.get()) != size || std::fclose(file.release()) != 0) {
        if (error) {
            *error = "cannot write " + path;
        }
        return false;
    }
    return true;
}

// A file name as a relative URI: everything but unreserved characters percent-encoded.
std::string UriOf(const std::string& name) {
    std::string uri;
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return uri;
}

bool EndsWith(const std::string& text, const char* end) {
    const size_t n = std::strlen(end);
    return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, end) == 0;
}

} // namespace

CGltfExporter::CGltfExporter(const GltfExportOptions& options)
    : options(options), skinOffset(0), vertexCount(0), targetCount(0), animationCount(0) {}

CGltfExporter::~CGltfExporter() = default;

std::string CGltfExporter::CleanName(const std::string& text) {
    std::string clean;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x6  ? 2
                        : (lead >> 4) == 0xE  ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 0;
        uint32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1Fu
                        : length == 3 ? lead & 0x0Fu
                                      : lead & 0x07u;
        bool whole = length > 0 && i + length <= text.size();
        for (size_t k = 1; whole && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        // Over-long forms, surrogates and code points past U+10FFFF are not UTF-8 either.
        static const uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        whole = whole && code >= kLeast[length] && (code < 0xD800 || code > 0xDFFF) && code <= 0x10FFFF;
        clean += whole ? text.substr(i, length) : "?";
        i += whole ? length : 1;
    }
    return clean;
}

void CGltfExporter::Build(const ModelData& model, const std::vector<std::string>& frameNames,
                          const std::string& modelName, const std::vector<uint8_t>& skinPng, bool cutOut) {
    const std::string name = CleanName(modelName);
    document = std::make_unique<tinygltf::Model>();
    document->asset.version = "2.0";
    document->asset.generator = kGenerator;
    document->buffers.emplace_back();
    vertexCount = targetCount = animationCount = 0;

    AddMesh(model, frameNames, name);
    AddAnimations(model);
    AddMaterial(skinPng, cutOut, name);

    tinygltf::Node node;
    node.name = name;
    node.mesh = 0;
    document->nodes.push_back(node);
    tinygltf::Scene scene;
    scene.name = name;
    scene.nodes.push_back(0);
    document->scenes.push_back(scene);
    document->defaultScene = 0;
}

size_t CGltfExporter::Append(const void* data, size_t size) {
    std::vector<unsigned char>& bytes = document->buffers[0].data;
    bytes.resize((bytes.size() + 3) & ~size_t(3), 0);
    const size_t offset = bytes.size();
    const unsigned char* from = static_cast<const unsigned char*>(data);
    bytes.insert(bytes.end(), from, from + size);
    return offset;
}

int CGltfExporter::AddView(size_t offset, size_t size, int stride, int target) {
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = offset;
    view.byteLength = size;
    view.byteStride = static_cast<size_t>(stride);
    view.target = target;
    document->bufferViews.push_back(view);
    return static_cast<int>(document->bufferViews.size()) - 1;
}

int CGltfExporter::AddAccessor(int view, size_t offset, int componentType, int type, size_t count,
                               const std::vector<double>& min, const std::vector<double>& max) {
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.byteOffset = offset;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    accessor.minValues = min;
    accessor.maxValues = max;
    document->accessors.push_back(accessor);
    return static_cast<int>(document->accessors.size()) - 1;
}

void CGltfExporter::AddMaterial(const std::vector<uint8_t>& skinPng, bool cutOut, const std::string& name) {
    tinygltf::Material material;
    material.name = name;
    // MD2 skins are painted colours under diffuse light: nothing about them is metal.
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 1.0;
    skinOffset = document->buffers[0].data.size();
    const bool textured =
        !skinPng.empty() && document->meshes[0].primitives[0].attributes.count("TEXCOORD_0");
    if (textured) {
        tinygltf::Image image;
        image.name = name;
        image.mimeType = "image/png";
        skinOffset = Append(skinPng.data(), skinPng.size());
        image.bufferView = AddView(skinOffset, skinPng.size(), 0, 0);
        document->images.push_back(image);
        tinygltf::Sampler sampler;
        sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
        sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
        document->samplers.push_back(sampler);
        tinygltf::Texture texture;
        texture.source = 0;
        texture.sampler = 0;
        document->textures.push_back(texture);
        material.pbrMetallicRoughness.baseColorTexture.index = 0;
        // Cut-outs are leaves, wings and cloth, single sheets seen from both sides as the viewer
        // draws them; a closed body keeps back-face culling.
        if (cutOut) {
            material.alphaMode = "MASK";
            material.alphaCutoff = 0.5;
            material.doubleSided = true;
        }
    } else {
        material.pbrMetallicRoughness.baseColorFactor = {0.6, 0.6, 0.6, 1.0};
    }
    document->materials.push_back(material);
    document->meshes[0].primitives[0].material = 0;
}

bool CGltfExporter::Write(const std::string& path, std::string* error, const std::string& skinSource) {
    if (EndsWith(path, ".gltf")) {
        return WriteSeparate(path, error, skinSource);
    }
    tinygltf::TinyGLTF writer;
    std::ofstream file(path, std::ios::binary);
    const bool opened = file.is_open();
    if (opened) {
        writer.WriteGltfSceneToStream(document.get(), file, false, true);
        file.close();
    }
    if (!opened || !file) {
        // A file cut short by a full disk must not pass for a model.
        if (opened) {
            std::remove(path.c_str());
        }
        if (error) {
            *error = "cannot write " + path;
        }
        return false;
    }
    return true;
}

bool CGltfExporter::WriteSeparate(const std::string& path, std::string* error,
                                  const std::string& skinSource) {
    const std::string stem = path.substr(0, path.size() - 5);
    const std::string base = stem.substr(stem.find_last_of('/') + 1);
    // The arrays go to their own file: the JSON is made without them, then told where they are.
    std::vector<unsigned char> bytes;
    bytes.swap(document->buffers[0].data);
    std::ostringstream json;
    tinygltf::TinyGLTF writer;
    writer.SetImageWriter(nullptr, nullptr);
    writer.WriteGltfSceneToStream(document.get(), json, true, false);
    bytes.swap(document->buffers[0].data);

    nlohmann::json gltf = nlohmann::json::parse(json.str());
    gltf["buffers"][0] = {{"byteLength", skinOffset}, {"uri", UriOf(base + ".bin")}};
    if (!document->images.empty()) {
        // The skin's view is the last one laid out; beside a .gltf file the skin is a file of its own.
        gltf["bufferViews"].erase(gltf["bufferViews"].size() - 1);
        gltf["images"][0] = {{"name", document->images[0].name}, {"uri", UriOf(base + ".png")}};
    }
    const std::vector<unsigned char>& data = document->buffers[0].data;
    const std::string text = gltf.dump(2) + "\n";
    // The skin already lies where its copy would go: it stays as it is, and the file names it.
    struct stat skinFile, copyFile;
    const bool inPlace = !skinSource.empty() && stat(skinSource.c_str(), &skinFile) == 0 &&
                         stat((stem + ".png").c_str(), &copyFile) == 0 &&
                         skinFile.st_dev == copyFile.st_dev && skinFile.st_ino == copyFile.st_ino;
    return WriteBytes(stem + ".bin", data.data(), skinOffset, error) &&
           (document->images.empty() || inPlace ||
            WriteBytes(stem + ".png", data.data() + skinOffset, data.size() - skinOffset, error)) &&
           WriteBytes(path, text.data(), text.size(), error);
}
