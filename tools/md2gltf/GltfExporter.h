// Turns a loaded MD2 model into a glTF 2.0 file: one mesh whose base shape is frame 0 and one morph
// target per further key frame, one animation per MD2 animation driving the target weights on the
// engine's key-frame clock, and the skin as a PNG texture. glTF is y up, in metres, with fronts wound
// counter-clockwise and the model facing +z; MD2 models face +x with fronts wound clockwise. Parts
// (a head on a tag, a weapon linked to the body's frames) become meshes of their own on child nodes of
// the body, moved by the same animations.
#pragma once

#include "models/MD2Tags.h"
#include "models/ModelData.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tinygltf {
class Model;
struct Animation;
} // namespace tinygltf

struct GltfExportOptions {
    // Metres per MD2 unit. MD2 characters are about 56 units tall, so 0.03 makes them 1.7 m.
    float scale = 0.03f;
    // Key frames per second: the engine shows one key frame every 200 ms.
    float framesPerSecond = 5.0f;
};

// A model to write, as the loader made it: its frame names, the name it goes by and its skin as a PNG
// file's bytes (empty for a plain material; a cut-out skin's pixels under half alpha are holes, as
// the engine draws them).
struct GltfModel {
    const ModelData* model = nullptr;
    std::vector<std::string> frameNames;
    std::string name;
    std::vector<uint8_t> skinPng;
    bool cutOut = false;
    // The skin's own file, named as it is beside a .gltf file that would copy it onto itself.
    std::string skinSource;
};

// A part the body carries: on its tag `tag` (an index into the body's tags), its node moved by the
// tag's transforms, or linked (tag -1), its morph targets playing the body's frames. A linked part
// has the body's frame count.
struct GltfPart {
    GltfModel model;
    int tag = -1;
};

class CGltfExporter {
public:
    explicit CGltfExporter(const GltfExportOptions& options);
    ~CGltfExporter();
    CGltfExporter(const CGltfExporter&) = delete;
    CGltfExporter& operator=(const CGltfExporter&) = delete;

    // Lays out the body and the parts it carries on its tags (`tags`, needed when a part is on one)
    // or linked to its frames. Every model needs frames and triangles.
    void Build(const GltfModel& body, const std::vector<GltfPart>& parts = {},
               const CMD2Tags* tags = nullptr);
    // Writes what Build laid out: a .glb file holds everything; beside a .gltf file go a .bin file
    // with the arrays and the skins as PNG files, named after it (OUT.png for the body's, OUT-1.png
    // and on for the parts'), unless that file is the skin's own file, which is then named as it is.
    // False, with the reason in `error`, when a file cannot be written.
    bool Write(const std::string& path, std::string* error);

    // What Build laid out for the body: glTF vertices and morph targets; and the animations.
    int VertexCount() const { return vertexCount; }
    int TargetCount() const { return targetCount; }
    int AnimationCount() const { return animationCount; }

    // glTF's axes from the loader's (y up, model facing +x): the model turns to face +z, and MD2 units
    // become metres by the scale. A rotation, so handedness is kept.
    static void ToGltf(const Vec3& p, float scale, float* out);

private:
    // Text as glTF's JSON must hold it: UTF-8, every byte of a broken sequence read as '?'.
    static std::string CleanName(const std::string& text);
    // The .gltf form: the JSON names the .bin and .png files written beside it.
    bool WriteSeparate(const std::string& path, std::string* error);
    // Appends bytes to the one buffer at a 4-byte boundary and returns where they start.
    size_t Append(const void* data, size_t size);
    // A buffer view over [offset, offset + size) of the buffer; stride 0 for tightly packed data.
    int AddView(size_t offset, size_t size, int stride, int target);
    // An accessor of count elements; min and max are written when given.
    int AddAccessor(int view, size_t offset, int componentType, int type, size_t count,
                    const std::vector<double>& min = {}, const std::vector<double>& max = {});
    // A mesh of indices, base attributes and the morph targets of every frame after the first; its
    // morph target count.
    int AddMesh(const ModelData& model, const std::vector<std::string>& frameNames, const std::string& name);
    // The triangles' corner indices, wound as glTF winds fronts, in 16 bits where they fit; the accessor.
    int AddIndices(std::vector<uint32_t>& indices, size_t vertices);
    // The corners' texture coordinates, v turned to count from the image's top row; the accessor.
    int AddTexCoords(std::vector<float>& texCoords);
    // Frame 0's positions and normals as the attributes, and each later frame's differences from them
    // as a morph target (none when no frame moves a vertex); the target count.
    int AddFrames(const ModelData& model, const std::vector<int32_t>& cornerVertex,
                  std::map<std::string, int>& attributes, std::vector<std::map<std::string, int>>& targets);
    // One animation per MD2 animation of the body, stepping the weights of the body and its linked
    // parts from one target to the next and moving the parts on tags with the tags.
    void AddAnimations(const ModelData& body, const std::vector<GltfPart>& parts, const CMD2Tags* tags);
    // A sampler and a channel moving a tagged part's node (translation or rotation) through the
    // animation's key frames; the values as glTF holds them.
    void AddTagChannels(tinygltf::Animation& animation, int input, int node, const CMD2Tags& tags, int tag,
                        const std::vector<int>& keys);
    // Where a tag puts a part, as a glTF node's translation (x, y, z) and rotation (x, y, z, w).
    void TagToNode(const MD2TagTransform& tag, double translation[3], double rotation[4]) const;
    // The skin of a mesh as the base colour texture, or a plain grey when there is none.
    void AddMaterial(int mesh, const GltfModel& model);

    GltfExportOptions options;
    std::unique_ptr<tinygltf::Model> document;
    // Where the skins' PNG bytes start in the buffer, after everything else: a .gltf file keeps
    // them in files of their own instead. The buffer's size when there is no skin.
    size_t skinOffset;
    // Each image's own file, or empty: see Write.
    std::vector<std::string> skinSources;
    // The morph targets of each mesh.
    std::vector<int> meshTargets;
    int vertexCount;
    int targetCount;
    int animationCount;
};
