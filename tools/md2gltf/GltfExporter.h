// Turns a loaded MD2 model into a glTF 2.0 file: one mesh whose base shape is frame 0 and one morph
// target per further key frame, one animation per MD2 animation driving the target weights on the
// engine's key-frame clock, and the skin as a PNG texture. glTF is y up, in metres, with fronts wound
// counter-clockwise and the model facing +z; MD2 models face +x with fronts wound clockwise.
#pragma once

#include "models/ModelData.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tinygltf {
class Model;
}

struct GltfExportOptions {
    // Metres per MD2 unit. MD2 characters are about 56 units tall, so 0.03 makes them 1.7 m.
    float scale = 0.03f;
    // Key frames per second: the engine shows one key frame every 200 ms.
    float framesPerSecond = 5.0f;
};

class CGltfExporter {
public:
    explicit CGltfExporter(const GltfExportOptions& options);
    ~CGltfExporter();
    CGltfExporter(const CGltfExporter&) = delete;
    CGltfExporter& operator=(const CGltfExporter&) = delete;

    // Lays out the model (as the loader made it, with its frame names) under the given name. The skin
    // is a PNG file's bytes, or empty for a plain material; a cut-out skin's pixels under half alpha
    // are holes, as the engine draws them. The model needs frames and triangles.
    void Build(const ModelData& model, const std::vector<std::string>& frameNames, const std::string& name,
               const std::vector<uint8_t>& skinPng, bool cutOut = false);
    // Writes what Build laid out: a .glb file holds everything; beside a .gltf file go a .bin file
    // with the arrays and a .png file with the skin, named after it, unless that file is the skin's
    // own file (`skinSource`), which is then named as it is. False, with the reason in `error`, when
    // a file cannot be written.
    bool Write(const std::string& path, std::string* error, const std::string& skinSource = "");

    // What Build laid out: glTF vertices, morph targets and animations.
    int VertexCount() const { return vertexCount; }
    int TargetCount() const { return targetCount; }
    int AnimationCount() const { return animationCount; }

private:
    // Text as glTF's JSON must hold it: UTF-8, every byte of a broken sequence read as '?'.
    static std::string CleanName(const std::string& text);
    // The .gltf form: the JSON names the .bin and .png files written beside it.
    bool WriteSeparate(const std::string& path, std::string* error, const std::string& skinSource);
    // Appends bytes to the one buffer at a 4-byte boundary and returns where they start.
    size_t Append(const void* data, size_t size);
    // A buffer view over [offset, offset + size) of the buffer; stride 0 for tightly packed data.
    int AddView(size_t offset, size_t size, int stride, int target);
    // An accessor of count elements; min and max are written when given.
    int AddAccessor(int view, size_t offset, int componentType, int type, size_t count,
                    const std::vector<double>& min = {}, const std::vector<double>& max = {});
    // Indices, base attributes and the morph targets of every frame after the first.
    void AddMesh(const ModelData& model, const std::vector<std::string>& frameNames, const std::string& name);
    // The triangles' corner indices, wound as glTF winds fronts, in 16 bits where they fit; the accessor.
    int AddIndices(std::vector<uint32_t>& indices, size_t vertices);
    // The corners' texture coordinates, v turned to count from the image's top row; the accessor.
    int AddTexCoords(std::vector<float>& texCoords);
    // Frame 0's positions and normals as the attributes, and each later frame's differences from them
    // as a morph target (none when no frame moves a vertex).
    void AddFrames(const ModelData& model, const std::vector<int32_t>& cornerVertex,
                   std::map<std::string, int>& attributes, std::vector<std::map<std::string, int>>& targets);
    // One animation per MD2 animation, stepping the weights from one target to the next.
    void AddAnimations(const ModelData& model);
    // The skin as the base colour texture, or a plain grey when there is none.
    void AddMaterial(const std::vector<uint8_t>& skinPng, bool cutOut, const std::string& name);

    GltfExportOptions options;
    std::unique_ptr<tinygltf::Model> document;
    // Where the skin's PNG bytes start in the buffer, after everything else: a .gltf file keeps
    // them in a file of their own instead. The buffer's size when there is no skin.
    size_t skinOffset;
    int vertexCount;
    int targetCount;
    int animationCount;
};
