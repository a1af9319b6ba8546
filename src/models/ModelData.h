/// \struct ModelData
/// A loaded MD2 model: key frames of decoded vertices with their normals, the triangles and texture
/// coordinates they share, the named animations cut from the frame names, and the skin material.
/// The loader fills it; a CMD2Mesh owns it and its instances play it back.
#pragma once

#include "base/Vec3.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

/// A texture coordinate, 0 to 1 across the skin.
struct TexCoord {
    float u; ///< Across, from the left.
    float v; ///< Down or up the skin, as the loader stores it.
};

/// A triangle: three vertex indices and three texture-coordinate indices.
struct Triangle {
    int32_t vertexIndex[3];   ///< Into the frame's vertices.
    int32_t texCoordIndex[3]; ///< Into frame 0's texture coordinates.
};

/// A run of frames sharing one base name. endFrame is the first frame of the next animation, except
/// for the file's last animation, where it is the last frame itself. An animation table read beside
/// the model (see CAnimationTable) gives its animations a last frame, a rate and whether they loop.
struct Animation {
    std::string name;   ///< The base name, such as "run".
    int firstFrame = 0; ///< The first frame.
    int endFrame = 0;   ///< Where the animation ends, as said above.
    /// Key frames a second; 0 for the engine's five (a key frame every 200 ms).
    float framesPerSecond = 0.0f;
    /// After its last frame the animation starts again; otherwise it stays on its last frame.
    bool loop = true;
    /// A pose held still (a table's rate of 0): its first frame is shown without stepping.
    bool held = false;
    /// endFrame is the last frame shown, whichever place the animation has in its list.
    bool endIsLast = false;
};

/// A skin named by the file.
struct Material {
    std::string name;     ///< The name as stored.
    std::string fileName; ///< The file it names.
};

/// One key frame. Only frame 0 carries the texture coordinates and triangles; every frame draws with
/// those of frame 0.
struct FrameMesh {
    int vertexCount = 0;             ///< Vertices of the frame.
    int triangleCount = 0;           ///< Triangles (frame 0 only).
    int texCoordCount = 0;           ///< Texture coordinates (frame 0 only).
    std::vector<Vec3> positions;     ///< vertexCount positions.
    std::vector<Vec3> normals;       ///< vertexCount unit normals.
    std::vector<TexCoord> texCoords; ///< texCoordCount coordinates; empty for other frames.
    std::vector<Triangle> triangles; ///< triangleCount triangles; empty for other frames.
};

/// The key frames of a model, shared by every copy of the record that holds them: copying a ModelData
/// copies no vertex, so meshes of one file wearing different skins, and a model's view of its mesh,
/// hold one set of frames. Changing the frames of a copy gives that copy frames of its own first.
/// Reads like the std::vector<FrameMesh> it stands for, and is one where a caller asks for one.
class FrameList {
public:
    using value_type = FrameMesh;                                   ///< What it holds.
    using size_type = std::size_t;                                  ///< Counts and places.
    using iterator = std::vector<FrameMesh>::iterator;              ///< Walks the frames to change.
    using const_iterator = std::vector<FrameMesh>::const_iterator; ///< Walks the frames to read.

    FrameList() = default;
    /// Holds these frames. Not explicit, nor is the way back: callers written for a vector of frames
    /// keep compiling.
    FrameList(std::vector<FrameMesh> frames);
    /// The frames as the vector they stand for.
    operator const std::vector<FrameMesh>&() const { return Read(); }

    /// The frames to read; an empty list when there are none.
    const std::vector<FrameMesh>& Read() const;
    /// The frames to change, held by this list alone from now on.
    std::vector<FrameMesh>& Edit();
    /// Whether both lists hold the very same frames.
    bool SharedWith(const FrameList& other) const { return frames && frames == other.frames; }

    size_type size() const { return Read().size(); }                       ///< How many frames.
    bool empty() const { return Read().empty(); }                          ///< Whether there are none.
    const FrameMesh& operator[](size_type i) const { return Read()[i]; }   ///< Frame i, to read.
    FrameMesh& operator[](size_type i) { return Edit()[i]; }               ///< Frame i, to change.
    const FrameMesh& at(size_type i) const { return Read().at(i); }        ///< Frame i, checked.
    const FrameMesh& front() const { return Read().front(); }              ///< The first frame.
    const FrameMesh& back() const { return Read().back(); }                ///< The last frame.
    const_iterator begin() const { return Read().begin(); }                ///< From the first, to read.
    const_iterator end() const { return Read().end(); }                    ///< Past the last, to read.
    iterator begin() { return Edit().begin(); }                            ///< From the first, to change.
    iterator end() { return Edit().end(); }                                ///< Past the last, to change.
    void push_back(FrameMesh frame) { Edit().push_back(std::move(frame)); } ///< Adds a frame at the end.
    void reserve(size_type count) { Edit().reserve(count); }               ///< Room for count frames.
    void clear() { frames.reset(); }                                       ///< No frames, none shared.

private:
    std::shared_ptr<std::vector<FrameMesh>> frames;
};

struct ModelData {
    int frameCount = 0;                ///< How many key frames.
    int materialCount = 0;             ///< How many materials.
    int animationCount = 0;            ///< How many animations.
    int currentAnimation = 0;          ///< The animation playing.
    int currentFrame = 0;              ///< The frame shown.
    std::vector<Animation> animations; ///< The named animations in file order.
    std::vector<Material> materials;   ///< The skins the file names.
    FrameList frames;                  ///< The key frames, shared by copies.
};

/// The key frame that follows frame in the given animation, as the playback moves on. The file's last
/// animation ends on the file's last frame (its end frame is inclusive); every other one before its
/// end frame; then the animation starts again from its first frame.
int NextKeyFrame(const ModelData& model, int animation, int frame);
/// The same for an animation of a list, such as an animation table's.
int NextKeyFrame(const std::vector<Animation>& animations, int animation, int frame);
/// The last key frame the animation shows.
int LastKeyFrame(const std::vector<Animation>& animations, int animation);
/// How long one key frame of the animation lasts, in milliseconds: 200 unless it has a rate of its own.
float KeyFrameMs(const Animation& animation);
