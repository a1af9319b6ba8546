#include "support/GltfBuilder.h"

#include "graphics/PngWriter.h"

#include <algorithm>
#include <sstream>

namespace korvel::test {

namespace {

int TypeOf(int components) {
    return components == 1   ? TINYGLTF_TYPE_SCALAR
           : components == 2 ? TINYGLTF_TYPE_VEC2
           : components == 3 ? TINYGLTF_TYPE_VEC3
           : components == 4 ? TINYGLTF_TYPE_VEC4
                             : TINYGLTF_TYPE_MAT4;
}

// Appends bytes at a 4-byte boundary as a buffer view; returns the view.
int AddView(tinygltf::Model& model, const void* data, size_t size) {
    std::vector<unsigned char>& bytes = model.buffers[0].data;
    bytes.resize((bytes.size() + 3) & ~size_t(3), 0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = bytes.size();
    view.byteLength = size;
    const auto* from = static_cast<const unsigned char*>(data);
    bytes.insert(bytes.end(), from, from + size);
    model.bufferViews.push_back(view);
    return static_cast<int>(model.bufferViews.size()) - 1;
}

int AddAccessor(tinygltf::Model& model, int view, int componentType, int components, size_t count) {
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.componentType = componentType;
    accessor.type = TypeOf(components);
    accessor.count = count;
    model.accessors.push_back(accessor);
    return static_cast<int>(model.accessors.size()) - 1;
}

} // namespace

GltfBuilder::GltfBuilder() {
    model.asset.version = "2.0";
    model.buffers.emplace_back();
}

int GltfBuilder::AddFloats(const std::vector<float>& values, int components, bool bounds) {
    const int view = AddView(model, values.data(), values.size() * sizeof(float));
    const size_t width = static_cast<size_t>(components);
    const int index =
        AddAccessor(model, view, TINYGLTF_COMPONENT_TYPE_FLOAT, components, values.size() / width);
    tinygltf::Accessor& accessor = model.accessors.back();
    for (size_t c = 0; bounds && c < width; ++c) {
        double low = values[c], high = values[c];
        for (size_t i = c; i < values.size(); i += width) {
            low = std::min(low, static_cast<double>(values[i]));
            high = std::max(high, static_cast<double>(values[i]));
        }
        accessor.minValues.push_back(low);
        accessor.maxValues.push_back(high);
    }
    return index;
}

int GltfBuilder::AddShorts(const std::vector<uint16_t>& values, int components) {
    const int view = AddView(model, values.data(), values.size() * sizeof(uint16_t));
    return AddAccessor(model, view, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, components,
                       values.size() / static_cast<size_t>(components));
}

int GltfBuilder::AddTexture(const std::vector<uint8_t>& png) {
    tinygltf::Image image;
    image.mimeType = "image/png";
    image.bufferView = AddView(model, png.data(), png.size());
    model.images.push_back(image);
    tinygltf::Texture texture;
    texture.source = static_cast<int>(model.images.size()) - 1;
    model.textures.push_back(texture);
    return static_cast<int>(model.textures.size()) - 1;
}

void GltfBuilder::AddChannel(tinygltf::Animation& animation, int node, const char* path,
                             const std::vector<float>& times, const std::vector<float>& values, int width) {
    tinygltf::AnimationSampler sampler;
    sampler.input = AddFloats(times, 1, true);
    sampler.output = AddFloats(values, width);
    sampler.interpolation = "LINEAR";
    animation.samplers.push_back(sampler);
    tinygltf::AnimationChannel channel;
    channel.sampler = static_cast<int>(animation.samplers.size()) - 1;
    channel.target_node = node;
    channel.target_path = path;
    animation.channels.push_back(channel);
}

int GltfBuilder::AddJointChain(const std::vector<std::string>& names, float step) {
    tinygltf::Skin skin;
    std::vector<float> inverseBinds;
    for (size_t i = 0; i < names.size(); ++i) {
        tinygltf::Node joint;
        joint.name = names[i];
        if (i > 0) {
            joint.translation = {0, step, 0};
            model.nodes.back().children.push_back(static_cast<int>(model.nodes.size()));
        }
        skin.joints.push_back(static_cast<int>(model.nodes.size()));
        model.nodes.push_back(joint);
        const float height = step * static_cast<float>(i);
        inverseBinds.insert(inverseBinds.end(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -height, 0, 1});
    }
    skin.inverseBindMatrices = AddFloats(inverseBinds, 16);
    model.skins.push_back(skin);
    return static_cast<int>(model.skins.size()) - 1;
}

std::vector<uint8_t> GltfBuilder::Glb() const {
    tinygltf::TinyGLTF writer;
    tinygltf::Model copy = model;
    std::ostringstream out;
    writer.WriteGltfSceneToStream(&copy, out, false, true);
    const std::string text = out.str();
    return std::vector<uint8_t>(text.begin(), text.end());
}

void GltfBuilder::AddPart(const std::vector<float>& xyz, const std::vector<float>& uv,
                          const std::vector<uint16_t>& corners, int material) {
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.indices = AddShorts(corners);
    primitive.material = material;
    primitive.attributes = {{"POSITION", AddFloats(xyz, 3, true)}, {"TEXCOORD_0", AddFloats(uv, 2)}};
    tinygltf::Model& m = model;
    m.meshes.emplace_back();
    m.meshes.back().primitives.push_back(primitive);
    m.nodes.emplace_back();
    m.nodes.back().mesh = static_cast<int>(m.meshes.size()) - 1;
    if (m.scenes.empty()) {
        m.scenes.emplace_back();
        m.defaultScene = 0;
    }
    m.scenes[0].nodes.push_back(static_cast<int>(m.nodes.size()) - 1);
}

void GltfBuilder::AddBox(float x, float y, float z, float size, float repeats, int material) {
    std::vector<float> xyz, uv;
    std::vector<uint16_t> corners;
    const float h = size / 2;
    // Each face: its centre's direction and two axes along it.
    const int faces[6][3][3] = {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
                                {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                                {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
    for (const auto& face : faces) {
        const auto first = static_cast<uint16_t>(xyz.size() / 3);
        for (int k = 0; k < 4; ++k) {
            const float a = k == 1 || k == 2 ? 1.0f : -1.0f, b = k >= 2 ? 1.0f : -1.0f;
            for (int c = 0; c < 3; ++c) {
                xyz.push_back((c == 0   ? x
                               : c == 1 ? y
                                        : z) +
                              h * static_cast<float>(face[0][c] + a * face[1][c] + b * face[2][c]));
            }
            uv.insert(uv.end(), {(a + 1) / 2 * repeats, (1 - b) / 2});
        }
        corners.insert(corners.end(),
                       {first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2), first,
                        static_cast<uint16_t>(first + 2), static_cast<uint16_t>(first + 3)});
    }
    AddPart(xyz, uv, corners, material);
}

int GltfBuilder::AddTwoColourMaterial(std::array<uint8_t, 3> left, std::array<uint8_t, 3> right, int width,
                                      int height) {
    std::vector<uint8_t> pixels, png;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto& c = x < width / 2 ? left : right;
            pixels.insert(pixels.end(), {c[0], c[1], c[2], 255});
        }
    }
    CPngWriter::EncodeRGBA(width, height, pixels, png);
    model.materials.emplace_back();
    model.materials.back().pbrMetallicRoughness.baseColorTexture.index = AddTexture(png);
    return static_cast<int>(model.materials.size()) - 1;
}

} // namespace korvel::test
