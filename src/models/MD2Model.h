/// \class CMD2Model
/// An MD2 model placed in the scene: loads a model file and its BMP skin, plays one named animation in
/// a loop on a 200 ms key-frame clock, and draws itself with vertices interpolated between key frames
/// through the built-in lit-texture program 8. It is a mesh of its own (not shared) played by one
/// instance wearing the model's skin, and a view of the mesh's data showing the playback, which holds
/// the mesh's frames rather than a copy: many copies of one file are better drawn as CMD2Instance
/// objects.
#pragma once

#include "models/MD2Instance.h"
#include "models/MD2Loader.h"
#include "models/MD2Mesh.h"
#include "models/ModelData.h"

#include <cstdint>
#include <memory>

class CMD2Model {
public:
    /// A key frame lasts 200 ms: five key frames per second.
    static constexpr float kKeyFrameMs = CMD2Instance::kKeyFrameMs;

    CMD2Model();
    /// Releases every frame's arrays and the skin the model loaded.
    ~CMD2Model();
    CMD2Model(const CMD2Model&) = delete;
    CMD2Model& operator=(const CMD2Model&) = delete;

    /// Loads the model file, then the skin: a .bmp file through the utilities' BMP loader, any other
    /// image through SDL_image. Without a skin path, the skin the model's own table names is looked
    /// for beside it (see CSkinSearch). False when the model file was refused; a failed or missing
    /// skin leaves the default texture.
    bool Load(const char* modelPath, const char* skinPath);
    /// The same, but without a skin path the skin is looked for only when findSkin is set: a caller
    /// that searches the skins itself puts one on with LoadSkin or SetTexture.
    bool Load(const char* modelPath, const char* skinPath, bool findSkin);
    /// Loads a skin image as the model's texture: a .bmp file through the utilities' BMP loader, any
    /// other image through SDL_image. A failed load leaves the texture as it was; the skin the model
    /// loaded before is deleted.
    void LoadSkin(const char* skinPath);
    /// Advances the clock and draws the current frame; once per displayed frame.
    void Render();
    /// Plays animation n (taken modulo the animation count, negative numbers wrapping too) from its
    /// first frame; the running key-frame period is not restarted.
    void SetAnimation(int n);
    /// Scale along each axis.
    void SetScale(float x, float y, float z) { instance.SetScale(x, y, z); }
    /// Where the model stands.
    void SetPosition(float x, float y, float z) { instance.SetPosition(x, y, z); }
    /// Rotation about the vertical axis, in degrees.
    void SetRotation(float angle) { instance.SetRotation(angle); }
    /// Rotation about the vertical axis, in degrees.
    float GetRotation() const { return instance.GetRotation(); }
    /// Moves to frame next once a key frame has run its 200 ms; returns the interpolation factor
    /// toward next, between 0 and 1.
    float UpdateTime(int next);
    /// Stops the key-frame clock (the current key frame is shown as it is) or starts it again.
    void SetPaused(bool paused) { instance.SetPaused(paused); }
    /// Whether the key-frame clock is stopped.
    bool IsPaused() const { return instance.IsPaused(); }
    /// Moves one key frame forward (steps > 0) or back within the playing animation, wrapping.
    void StepKeyFrame(int steps);
    /// Shows key frame `frame` of the playing animation (held within it), as CMD2Instance::ShowKeyFrame.
    void ShowKeyFrame(int frame);
    /// The key frame that follows frame in the playing animation. The file's last animation ends on
    /// the file's last frame (its end frame is inclusive); every other one before its end frame.
    int NextFrame(int frame) const { return instance.NextFrame(frame); }

    /// Plays an animation table (read beside the model by CAnimationTable) instead of the animations
    /// the frame names give, each at its own rate, as CMD2Instance::SetAnimations does; GetData then
    /// lists the table's. Null goes back to the frame names'. Loading another file drops the table.
    bool SetAnimations(std::shared_ptr<const std::vector<Animation>> animations);

    /// The loaded frames, animations and playback state.
    const ModelData& GetData() const { return shown; }
    /// The skin texture; 0 when none loaded.
    unsigned int GetTexture() const { return instance.GetSkin().texture; }
    /// Draws with another texture from now on, which stays the caller's to delete; the skin the model
    /// loaded itself stays the model's, deleted when it loads another or goes. A texture with alpha
    /// (CTexture::HasAlpha) is drawn as a cut-out.
    void SetTexture(unsigned int name, bool hasAlpha) { instance.SetSkin(MD2Skin{name, hasAlpha}); }
    /// The same, asking GL whether the texture has alpha.
    void SetTexture(unsigned int name) { instance.SetSkin(name); }
    /// Whether the skin has an alpha channel: its cut-outs (leaves, fences, hair) are then left out
    /// of the drawing by the alpha test rather than drawn as opaque rectangles.
    bool SkinHasAlpha() const { return instance.GetSkin().hasAlpha; }
    /// The loader, with the header and the skin and frame names of the file.
    const CMD2Loader& GetLoader() const { return instance.GetMesh()->GetLoader(); }
    /// The instance playing the model; the parts put on it (CMD2Instance::SetTags, Attach, Link) are
    /// drawn with the model.
    CMD2Instance& GetInstance() { return instance; }
    /// The same, to read.
    const CMD2Instance& GetInstance() const { return instance; }
    /// Replaces SDL_GetTicks as the animation clock of every model and instance (null restores it).
    static void SetTickSource(uint32_t (*source)()) { CMD2Instance::SetTickSource(source); }

    /// Leaves out the faces turned away from the viewer (MD2 fronts wind clockwise). Off by default:
    /// single-sided parts such as wings or cloth would vanish when seen from behind.
    void SetBackFaceCulling(bool on) { instance.SetBackFaceCulling(on); }
    /// Whether back faces are left out.
    bool GetBackFaceCulling() const { return instance.GetBackFaceCulling(); }
    /// Sends every model's and instance's corners one by one between glBegin and glEnd instead of from
    /// the vertex arrays: the same pixels, more work; kept for comparing the two.
    static void SetImmediateMode(bool on) { CMD2Mesh::SetImmediateMode(on); }

private:
    /// Shows the instance's animation and key frame in the view, where GetData finds them.
    void ShowPlayback();

    /// The model's own mesh, held by no one but the model and its instance.
    std::shared_ptr<const CMD2Mesh> mesh;
    /// The mesh's data as the model plays it: the same frames, the instance's animations, animation
    /// and key frame.
    ModelData shown;
    /// Plays the mesh and wears the model's skin.
    CMD2Instance instance;
    /// The skin the model loaded itself, shared with its instance; kept while the model wears a
    /// caller's texture, so that SetTexture(GetTexture()) can put it back.
    std::shared_ptr<const CTexture> ownSkin;
};
