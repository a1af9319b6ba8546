// Bakes a glTF scene into MD2 key frames: every triangle of every mesh the scene draws merged into one
// model, posed (node tree, morph targets, skins) at evenly spaced moments of each animation, moved into
// MD2's axes and units and packed into bytes frame by frame. Vertices that stand in the same place in
// every frame with the same normal become one MD2 vertex.
#pragma once

#include "GltfPose.h"
#include "FileBytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tinygltf {
class Model;
struct Primitive;
} // namespace tinygltf

struct Md2BakeOptions {
    // Metres per MD2 unit, as md2gltf's --scale.
    float scale = 0.03f;
    // Key frames taken per second of animation.
    float framesPerSecond = 10.0f;
    // At most this many key frames per animation (0: no limit): a longer one is sampled evenly instead.
    int maxFrames = 0;
};

class CMd2Baker {
public:
    // What MD2 files (Quake II's limits, which the engine's loader stays within) can hold.
    static const int kMaxVertices = 2048;
    static const int kMaxTriangles = 4096;
    static const int kMaxFrames = 512;
    static const int kMaxSkinSize = 32767;
    // A frame name is 16 bytes with its terminator: the animation's name and a two-digit number.
    static const int kMaxNameLength = 13;

    CMd2Baker(const tinygltf::Model& model, const Md2BakeOptions& options);

    // Gathers the scene's triangles and poses them at every key frame. False, with the reason in
    // `error`, for a file that does not hold a usable scene or a model MD2 cannot hold.
    bool Bake(std::string& error);
    // The image of the base colour texture the skin comes from (-1 for none), after Bake.
    int SkinImage() const { return skinImage; }
    // The MD2 model for a skin of the given size named `skinName` (no skin and no texture coordinates
    // when the size is 0). False, with the reason in `error`, when a texture coordinate lies outside
    // the skin or the model exceeds MD2's limits.
    bool Build(int skinWidth, int skinHeight, const std::string& skinName, korvel::files::Md2File& md2,
               std::string& error) const;
    // The MD2 animation names, in file order (empty for a still model).
    const std::vector<std::string>& AnimationNames() const { return names; }

    // A glTF animation's name as MD2 frame names can carry it: letters, digits and underscores, every
    // other run of characters one underscore, at most kMaxNameLength characters.
    static std::string CleanName(const std::string& name);

private:
    // One primitive of one node, its vertices numbered from `first` in the merged model.
    struct Piece {
        int node;
        int skin;
        size_t first;
        std::vector<float> positions;
        std::vector<float> normals;
        std::vector<float> texCoords;
        std::vector<std::vector<float>> targets;
        std::vector<double> joints;
        std::vector<double> weights;
        size_t influences;
        std::vector<uint32_t> triangles;
    };

    // The first base colour texture among the scene's materials, and the texture coordinates it uses.
    void ChooseSkin(const std::vector<int>& meshNodes);
    bool ReadPiece(int node, int primitive, std::string& error);
    // The piece's joints and weights (JOINTS_n and WEIGHTS_n, as many sets as it has).
    bool ReadSkinning(Piece& piece, const tinygltf::Primitive& primitive, std::string& error);
    // Every skin's joints and inverse bind matrices.
    bool ReadSkins(std::string& error);
    // Which animation and moment each key frame shows, and its name.
    bool PlanFrames(std::string& error);
    // The scene's positions at the current pose, in MD2 units and axes, appended to `frame`.
    void PoseVertices(std::vector<float>& frame);
    // Gives each merged vertex its MD2 vertex: same place in every frame, same normal.
    void Weld();

    const tinygltf::Model& model;
    Md2BakeOptions options;
    CGltfPose pose;
    int skinImage;
    int skinTexCoord;
    int skinMaterial;
    std::vector<Piece> pieces;
    size_t vertexCount;
    // Per glTF skin: its joints' nodes and inverse bind matrices.
    std::vector<std::vector<int>> skinJoints;
    std::vector<std::vector<Mat4>> inverseBinds;
    struct Key {
        int animation;
        double time;
        std::string name;
    };
    std::vector<Key> keys;
    std::vector<std::string> names;
    // Per key frame: three floats per merged vertex.
    std::vector<std::vector<float>> frames;
    // Per merged vertex: its MD2 vertex; and each MD2 vertex's first merged vertex.
    std::vector<int> md2Vertex;
    std::vector<size_t> md2Source;
};
