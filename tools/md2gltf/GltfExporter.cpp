#include "GltfExporter.h"

#include "base/CommandLine.h"
#include "base/Version.h"

#include <tiny_gltf.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
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

void CGltfExporter::Build(const GltfModel& body, const std::vector<GltfPart>& parts, const CMD2Tags* tags) {
    document = std::make_unique<tinygltf::Model>();
    document->asset.version = "2.0";
    document->asset.generator = kGenerator;
    document->buffers.emplace_back();
    skinSources.clear();
    meshTargets.clear();

    // The body is node and mesh 0; part i is node and mesh i + 1, a child of the body, placed where
    // its tag is in frame 0 for readers that do not play animations.
    std::vector<const GltfModel*> models{&body};
    for (const GltfPart& part : parts) {
        models.push_back(&part.model);
    }
    for (size_t m = 0; m < models.size(); ++m) {
        const std::string name = CleanName(models[m]->name);
        meshTargets.push_back(AddMesh(*models[m]->model, models[m]->frameNames, name));
        tinygltf::Node node;
        node.name = name;
        node.mesh = static_cast<int>(m);
        if (m > 0) {
            const GltfPart& part = parts[m - 1];
            if (part.tag >= 0 && tags) {
                node.name = CleanName(tags->GetNames()[static_cast<size_t>(part.tag)]);
                node.translation.resize(3);
                node.rotation.resize(4);
                TagToNode(tags->Get(part.tag, 0), node.translation.data(), node.rotation.data());
            }
            document->nodes[0].children.push_back(static_cast<int>(m));
        }
        document->nodes.push_back(node);
    }
    const int positions = document->meshes[0].primitives[0].attributes.at("POSITION");
    vertexCount = static_cast<int>(document->accessors[static_cast<size_t>(positions)].count);
    targetCount = meshTargets[0];
    AddAnimations(*body.model, parts, tags);
    // The skins go last, so that a .gltf file can leave them out of its .bin file.
    skinOffset = document->buffers[0].data.size();
    for (size_t m = 0; m < models.size(); ++m) {
        AddMaterial(static_cast<int>(m), *models[m]);
    }

    tinygltf::Scene scene;
    scene.name = document->nodes[0].name;
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

void CGltfExporter::AddMaterial(int mesh, const GltfModel& model) {
    tinygltf::Material material;
    material.name = CleanName(model.name);
    // MD2 skins are painted colours under diffuse light: nothing about them is metal.
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 1.0;
    tinygltf::Primitive& primitive = document->meshes[static_cast<size_t>(mesh)].primitives[0];
    if (!model.skinPng.empty() && primitive.attributes.count("TEXCOORD_0")) {
        tinygltf::Image image;
        image.name = material.name;
        image.mimeType = "image/png";
        const size_t offset = Append(model.skinPng.data(), model.skinPng.size());
        image.bufferView = AddView(offset, model.skinPng.size(), 0, 0);
        document->images.push_back(image);
        skinSources.push_back(model.skinSource);
        if (document->samplers.empty()) {
            tinygltf::Sampler sampler;
            sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
            sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
            document->samplers.push_back(sampler);
        }
        tinygltf::Texture texture;
        texture.source = static_cast<int>(document->images.size()) - 1;
        texture.sampler = 0;
        document->textures.push_back(texture);
        material.pbrMetallicRoughness.baseColorTexture.index = texture.source;
        // Cut-outs are leaves, wings and cloth, single sheets seen from both sides as the viewer
        // draws them; a closed body keeps back-face culling.
        if (model.cutOut) {
            material.alphaMode = "MASK";
            material.alphaCutoff = 0.5;
            material.doubleSided = true;
        }
    } else {
        material.pbrMetallicRoughness.baseColorFactor = {0.6, 0.6, 0.6, 1.0};
    }
    document->materials.push_back(material);
    primitive.material = static_cast<int>(document->materials.size()) - 1;
}

bool CGltfExporter::Write(const std::string& path, std::string* error) {
    if (korvel::tools::EndsWith(path, ".gltf")) {
        return WriteSeparate(path, error);
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

bool CGltfExporter::WriteSeparate(const std::string& path, std::string* error) {
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
    const std::vector<unsigned char>& data = document->buffers[0].data;
    if (!WriteBytes(stem + ".bin", data.data(), skinOffset, error)) {
        return false;
    }
    // The skins' views are the last ones laid out; beside a .gltf file each skin is a file of its own.
    const size_t images = document->images.size();
    gltf["bufferViews"].erase(gltf["bufferViews"].begin() +
                                  static_cast<std::ptrdiff_t>(gltf["bufferViews"].size() - images),
                              gltf["bufferViews"].end());
    for (size_t i = 0; i < images; ++i) {
        const std::string suffix = (i == 0 ? "" : "-" + std::to_string(i)) + ".png";
        gltf["images"][i] = {{"name", document->images[i].name}, {"uri", UriOf(base + suffix)}};
        // The skin already lies where its copy would go: it stays as it is, and the file names it.
        struct stat skinFile, copyFile;
        const std::string& source = skinSources[i];
        const bool inPlace = !source.empty() && stat(source.c_str(), &skinFile) == 0 &&
                             stat((stem + suffix).c_str(), &copyFile) == 0 &&
                             skinFile.st_dev == copyFile.st_dev && skinFile.st_ino == copyFile.st_ino;
        const tinygltf::BufferView& view =
            document->bufferViews[static_cast<size_t>(document->images[i].bufferView)];
        if (!inPlace && !WriteBytes(stem + suffix, data.data() + view.byteOffset, view.byteLength, error)) {
            return false;
        }
    }
    const std::string text = gltf.dump(2) + "\n";
    return WriteBytes(path, text.data(), text.size(), error);
}
