/// \class CMD2Instance
/// One placed, animated copy of a shared MD2 mesh: its own animation and 200 ms key-frame clock,
/// position, rotation about the vertical axis, scale, back-face culling and, if given one, its own skin
/// and animation table, in a few dozen bytes.
/// It can carry parts: instances on its tags (a head, a weapon, a rider), each drawn with its tag's
/// transform in the pose shown and playing its own animation, and linked instances drawn on its very
/// frame (a weapon made with the same frames as the body).
/// Copying an instance copies that state and shares the mesh, the tags and the parts.
#pragma once

#include "base/Vec3.h"
#include "models/MD2Mesh.h"
#include "models/MD2Tags.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMD2Instance {
public:
    /// A key frame lasts 200 ms: five key frames per second.
    static constexpr float kKeyFrameMs = 200.0f;

    /// An instance of no mesh, which draws nothing.
    CMD2Instance();
    /// Plays the mesh's animation 0 from frame 0, unmoved, unturned, at scale 1.
    explicit CMD2Instance(std::shared_ptr<const CMD2Mesh> mesh);

    /// Plays another mesh from its animation 0 and frame 0; placement and clock stay, an animation
    /// table, tags and parts given for the old mesh go.
    void SetMesh(std::shared_ptr<const CMD2Mesh> mesh);
    /// The mesh drawn; null for an instance of no mesh.
    const std::shared_ptr<const CMD2Mesh>& GetMesh() const { return mesh; }

    /// Advances the clock and draws the current frame; once per displayed frame.
    void Render();
    /// Plays animation n (taken modulo the animation count, negative numbers wrapping too) from its
    /// first frame; the running key-frame period is not restarted.
    void SetAnimation(int n);
    /// The animation playing.
    int GetAnimation() const { return animation; }
    /// The key frame being left (shown whole when the clock is paused).
    int GetFrame() const { return frame; }
    /// Scale along each axis.
    void SetScale(float x, float y, float z) { scale = Vec3(x, y, z); }
    /// Where the model stands.
    void SetPosition(float x, float y, float z) { position = Vec3(x, y, z); }
    /// Rotation about the vertical axis, in degrees.
    void SetRotation(float angle) { rotation = angle; }
    /// Rotation about the vertical axis, in degrees.
    float GetRotation() const { return rotation; }
    /// Moves to frame next once a key frame has run its time (200 ms, or as the playing animation's
    /// rate says); returns the interpolation factor toward next, between 0 and 1.
    float UpdateTime(int next);
    /// Stops the key-frame clock (the current key frame is shown as it is) or starts it again.
    void SetPaused(bool paused);
    /// Whether the key-frame clock is stopped.
    bool IsPaused() const { return paused; }
    /// Moves one key frame forward (steps > 0) or back within the playing animation, wrapping.
    void StepKeyFrame(int steps);
    /// Shows key frame `target` of the playing animation, held within its first and last key frames.
    void ShowKeyFrame(int target);
    /// The key frame that follows frame in the playing animation. The file's last animation ends on
    /// the file's last frame (its end frame is inclusive); every other one before its end frame.
    int NextFrame(int frame) const;
    /// Leaves out the faces turned away from the viewer. Off by default: single-sided parts such as
    /// wings or cloth would vanish when seen from behind.
    void SetBackFaceCulling(bool on) { cullBackFaces = on; }
    /// Whether back faces are left out.
    bool GetBackFaceCulling() const { return cullBackFaces; }

    /// Wears another skin than the mesh's, a texture shared with whoever else holds it and deleted
    /// with the last holder; null for the default texture. The mesh stays as it is, shared with
    /// instances wearing other skins.
    void SetSkin(std::shared_ptr<const CTexture> texture);
    /// The same with a texture the caller keeps owning (0 for the default one); asks GL whether the
    /// texture has alpha.
    void SetSkin(unsigned int texture);
    /// The same with the alpha known, as a CTexture knows it from its picture.
    void SetSkin(const MD2Skin& own);
    /// Wears the mesh's own skin again.
    void ClearSkin() {
        skin.reset();
        hasOwnSkin = false;
    }
    /// The skin drawn: the instance's own, else the mesh's.
    MD2Skin GetSkin() const;

    /// Plays these animations instead of those the mesh's frame names give (as read from a side file
    /// by CAnimationTable), each at its own rate, from the first one's first frame; null goes back to
    /// the mesh's. Each runs from firstFrame to endFrame, both shown (endIsLast set, as the table
    /// reader sets it). The table is shared, not copied. False, and nothing changed, when an animation
    /// names a frame the mesh does not have, ends before it starts or lacks endIsLast.
    bool SetAnimations(std::shared_ptr<const std::vector<Animation>> animations);
    /// The animations played: the table given, else the mesh's (empty for an instance of no mesh).
    const std::vector<Animation>& GetAnimations() const;

    /// Replaces SDL_GetTicks as the animation clock of every instance and model (null restores it).
    static void SetTickSource(uint32_t (*source)());

    /// A part carried by an instance.
    struct Part {
        /// The part, drawn after the instance in its space.
        std::shared_ptr<CMD2Instance> instance;
        /// The tag it rides, as an index of the tags; -1 for a linked part.
        int tag = -1;
    };
    /// Gives the instance the tags of its mesh (see CMD2Tags), or none (null), which drops the parts
    /// on tags. False, with one line on standard error and nothing changed, when their frame count is
    /// not the mesh's.
    bool SetTags(std::shared_ptr<const CMD2Tags> tags);
    /// The tags given; null when none.
    const std::shared_ptr<const CMD2Tags>& GetTags() const;
    /// Places part on the tag of this name (any case), in place of what was on it: the part is drawn
    /// with the tag's transform of the pose shown, then its own placement, and plays its own
    /// animation. False, with one line on standard error and nothing attached, when there is no such
    /// tag.
    bool Attach(const std::string& tagName, std::shared_ptr<CMD2Instance> part);
    /// Takes what rides the tag of this name off it; false when nothing did.
    bool Detach(const std::string& tagName);
    /// Draws part on this instance's frames, moved as far toward the next as this instance is, in its
    /// own placement and skin (its own animation is not played). False, with one line on standard
    /// error and nothing linked, when its mesh has another frame count.
    bool Link(std::shared_ptr<CMD2Instance> part);
    /// The parts, in the order they were added.
    const std::vector<Part>& GetParts() const;
    /// What rides the tag of this name; null when nothing does.
    std::shared_ptr<CMD2Instance> GetPart(const std::string& tagName) const;
    /// The transform of tag `tag` in the pose drawn last (before any draw: the current frame); the
    /// identity without such a tag.
    MD2TagTransform GetTagTransform(int tag) const;

private:
    /// Draws the parts in the instance's space for the pose drawn: frame from moved t toward next.
    void RenderParts(int from, int next, float t);
    /// Draws the mesh in the instance's placement on the given pose, then its parts; nothing for a
    /// mesh without frames. A linked part is drawn so, on the pose of the instance it is linked to.
    void DrawPose(int from, int next, float t);

    std::shared_ptr<const CMD2Mesh> mesh;
    /// Animations given in place of the mesh's; null for the mesh's.
    std::shared_ptr<const std::vector<Animation>> table;
    int animation;
    int frame;
    /// The tick at which the current key frame began, kept as the clock's own integer so the
    /// elapsed time stays exact at any uptime and across the wrap of the 32-bit tick counter.
    uint32_t lastTick;
    Vec3 position;
    Vec3 scale;
    float rotation;
    bool paused;
    bool cullBackFaces;
    bool hasOwnSkin;
    /// The pose drawn last, which the tags are placed by.
    int shownFrom;
    int shownNext;
    float shownT;
    /// The instance's own skin while hasOwnSkin is set; null for the default texture.
    std::shared_ptr<const CTexture> skin;
    /// The tags and the parts, held apart so that an instance without them stays small (a crowd is
    /// thousands of instances); copies share them until one changes its own.
    struct Carried {
        std::shared_ptr<const CMD2Tags> tags;
        std::vector<Part> parts;
    };
    std::shared_ptr<Carried> carried;
    /// The carried tags and parts this instance alone holds, made on first use.
    Carried& OwnCarried();
};
