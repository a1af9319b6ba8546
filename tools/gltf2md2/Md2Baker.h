// Bakes a glTF scene into MD2 key frames: every triangle of every mesh the scene draws merged into one
// model, posed (node tree, morph targets, skins) at evenly spaced moments of each animation, moved into
// MD2's axes and units and packed into bytes frame by frame. Vertices that stand in the same place in
// every frame with the same normal become one MD2 vertex.
#pragma once

#include "GltfPose.h"
#include "FileBytes.h"
#include "SkinAtlas.h"

#include <cstdint>
#include <set>
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
    // At most this many triangles; a model over them, or over MD2's vertices, is simplified to fit
    // unless `simplify` is off.
    int maxTriangles = 4096;
    bool simplify = true;
};

// An animation as the table beside the model lists it: its name, key frames and rate.
struct Md2BakedAnimation {
    std::string name;
    int first;
    int last;
    double framesPerSecond;
};

class CMd2Baker {
public:
    // What MD2 files (Quake II's limits, which the engine's loader stays within) can hold.
    static constexpr int kMaxVertices = 2048;
    static constexpr int kMaxTriangles = 4096;
    static constexpr int kMaxFrames = 512;
    // A frame name is 16 bytes with its terminator: the animation's name and a two-digit number.
    static constexpr int kMaxNameLength = 13;
    // A name in the animation table beside the model: 63 characters.
    static constexpr int kMaxTableName = 63;

    CMd2Baker(const tinygltf::Model& model, const Md2BakeOptions& options);

    // Gathers the scene's triangles, simplifies them to fit MD2 when they are too many, poses them at
    // every key frame and lays out the skin. False, with the reason in `error`, for a file that does
    // not hold a usable scene or a model MD2 cannot hold.
    bool Bake(std::string& error);
    // The skin every material shares, after Bake (empty for a model drawn plain).
    const CSkinAtlas& Skin() const { return atlas; }
    // What Bake did or left out that the user should know, one line each.
    const std::vector<std::string>& Notes() const { return notes; }
    // The MD2 model, its skin named `skinName` (no skin and no texture coordinates when the skin is
    // empty). False, with the reason in `error`, when a texture coordinate lies beyond what MD2's
    // 16-bit skin pixels hold.
    bool Build(const std::string& skinName, korvel::files::Md2File& md2, std::string& error) const;
    // The MD2 animation names, in file order (empty for a still model).
    const std::vector<std::string>& AnimationNames() const { return names; }
    // The animations with their frames and rates, for the table beside the model.
    const std::vector<Md2BakedAnimation>& Animations() const { return animations; }

    // A glTF animation's name as MD2 frame names can carry it: letters, digits and underscores, every
    // other run of characters one underscore, at most `length` characters. Of Blender's
    // "Object|Action" only the action counts.
    static std::string CleanName(const std::string& name, size_t length = kMaxNameLength);

private:
    // One primitive of one node, its vertices numbered from `first` in the merged model.
    struct Piece {
        int node;
        int skin;
        // Its material's place among the skin's sources.
        size_t source;
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

    // The skin source of a material (-1: none), added on first use, with the texture coordinate set
    // and transform its base colour texture uses.
    bool SourceOf(int material, size_t& source, std::string& error);
    bool ReadPiece(int node, int primitive, std::string& error);
    // Brings the triangles within --max-triangles and the vertices within MD2's, simplifying the
    // whole model once, on its rest pose, for every frame.
    bool FitLimits(std::string& error);
    // Keeps `target` triangles simplified from all of them, on the rest pose's positions `rest` (all
    // of them for 0).
    void Simplify(size_t target, const std::vector<float>& rest);
    bool LaySkin(std::string& error);
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
    std::vector<Piece> pieces;
    size_t vertexCount;
    // Every triangle kept, as merged vertex numbers; and the whole model's, before simplification.
    std::vector<uint32_t> corners;
    std::vector<uint32_t> allCorners;
    // The materials' skin sources, their glTF materials, their texture coordinate sets and transforms.
    std::vector<SkinSource> sources;
    std::vector<int> sourceMaterials;
    struct TexCoordSet {
        int set = 0;
        // u' = a u + b v + c, v' = d u + e v + f.
        std::array<double, 6> transform{{1, 0, 0, 0, 1, 0}};
    };
    std::vector<TexCoordSet> sourceTexCoords;
    CSkinAtlas atlas;
    std::vector<std::string> notes;
    // What the skin cannot show ("vertex colours", "normal maps", ...).
    std::set<std::string> leftOut;
    std::vector<Md2BakedAnimation> animations;
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
