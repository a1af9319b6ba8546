/// \class CMD2Mesh
/// The shared, unchanging part of a loaded MD2 model: its frames, animations, texture coordinates and
/// triangles, the vertex arrays and buffer objects it is drawn from, its skin texture and the skin names
/// of the file. Loaded once per file and skin and drawn by any number of CMD2Instance objects; the
/// frames are read once per file, whichever skins its meshes wear.
#pragma once

#include "models/MD2Loader.h"
#include "models/ModelData.h"
#include "textures/Texture.h"

#include <memory>
#include <string>

/// What one draw binds as the skin: a texture (0 for the default one) and whether it has an alpha
/// channel, whose cut-outs (leaves, fences, hair) the alpha test then leaves out rather than drawing
/// opaque. Skins are held as shared textures (CTexture); this is the plain view of one for a draw.
struct MD2Skin {
    unsigned int texture = 0; ///< The GL texture; 0 for the default one.
    bool hasAlpha = false;    ///< The texture has an alpha channel.

    /// The skin of a texture someone else owns; asks GL whether it has alpha.
    static MD2Skin Of(unsigned int texture);
    /// The view of a held skin; the default texture for none.
    static MD2Skin Of(const std::shared_ptr<const CTexture>& texture);
};

class CMD2Mesh {
public:
    /// The mesh of the model file with the skin image (a .bmp through the utilities' BMP loader, any
    /// other image through SDL_image); without a skin path, the skin the model's own table names is
    /// looked for beside it (see CSkinSearch), as CMD2Model::Load does. Null when the file is refused,
    /// which the loader reports; a failed or missing skin leaves the default texture. While
    /// one is held, loading the same file and skin again returns it without reading anything: the cache
    /// knows files by the paths as given, so a file changed on disk is seen only after Forget. Two
    /// skins of one file loaded here are two meshes sharing the file's frames, read once; an instance
    /// given another skin (CMD2Instance::SetSkin) shares the one mesh instead.
    static std::shared_ptr<const CMD2Mesh> Load(const char* modelPath, const char* skinPath);
    /// A mesh of the model file for one holder alone, read afresh outside the cache and wearing no
    /// skin: the holder puts one on its instance (CMD2Model does, to change skins at will). The skin
    /// path, or null, is recorded as the material as Load records it. Null when the file is refused.
    static std::shared_ptr<CMD2Mesh> LoadWithoutSkin(const char* modelPath, const char* skinPath);
    /// Drops the mesh of this file and skin, and the file's frames, from the cache: the next Load reads
    /// the file again. Meshes already handed out stay as they are.
    static void Forget(const char* modelPath, const char* skinPath);

    /// An empty mesh: no frames, nothing to draw.
    CMD2Mesh();
    /// Frees the frames, and the skin texture and the arrays it was drawn from while the GL context
    /// lives; after the graphics core has shut SDL down they went with the context, and no GL call is
    /// made.
    ~CMD2Mesh();
    CMD2Mesh(const CMD2Mesh&) = delete;
    CMD2Mesh& operator=(const CMD2Mesh&) = delete;

    /// The frames, animations and material; playback state stays at animation 0, frame 0.
    const ModelData& GetData() const { return data; }
    /// The skin texture; 0 when none was loaded.
    unsigned int GetTexture() const { return GetSkin().texture; }
    /// Whether the skin has an alpha channel: its cut-outs (leaves, fences, hair) are then left out
    /// of the drawing by the alpha test rather than drawn as opaque rectangles.
    bool SkinHasAlpha() const { return GetSkin().hasAlpha; }
    /// The skin the mesh loaded: what its instances wear unless they are given another.
    MD2Skin GetSkin() const { return MD2Skin::Of(skin); }
    /// The same as the shared texture; null when none was loaded.
    const std::shared_ptr<const CTexture>& GetSkinTexture() const { return skin; }
    /// The loader, with the header and the skin and frame names of the file.
    const CMD2Loader& GetLoader() const;
    /// The skin image the file's own skin table leads to beside the model at modelPath (see
    /// CSkinSearch); empty when none.
    std::string FindSkin(const char* modelPath) const;

    /// Draws frame cur moved the fraction t toward frame next, wearing skin, through the lit-texture
    /// program 8, in the current model-view matrix. Leaves GL_TEXTURE_2D enabled and the skin bound.
    /// The interpolated vertices go into the drawing side's arrays for this mesh (CMD2VertexArrays;
    /// one draw at a time, on the main thread); the mesh itself is not written.
    void Draw(int cur, int next, float t, bool cullBackFaces, const MD2Skin& skin) const;
    /// The same, wearing the mesh's own skin.
    void Draw(int cur, int next, float t, bool cullBackFaces) const;
    /// Sends every corner one by one between glBegin and glEnd instead of from the vertex arrays: the
    /// same pixels, more work; kept for comparing the two.
    static void SetImmediateMode(bool on);
    /// Loads a skin image as meshes load theirs (a .bmp through the BMP decoder, any other image
    /// through SDL_image); no texture on failure or before the engine is up.
    static CTexture LoadSkinImage(const char* skinPath);
    /// The same as a texture name the caller deletes; 0 on failure.
    static unsigned int LoadSkinTexture(const char* skinPath);

    /// The file as read once: its loader and its data with no material, shared by its meshes.
    struct File;

private:
    /// Takes the file's frames (read afresh, or shared with the file's other meshes when `shared`),
    /// and with `withSkin` its skin; false when the file was refused (the mesh is empty then).
    bool Read(const char* modelPath, const char* skinPath, bool withSkin, bool shared);
    /// Sends the triangles of frame cur, moved the fraction t toward frame nxt, corner by corner.
    void DrawCorners(const FrameMesh& cur, const FrameMesh& nxt, float t) const;

    std::shared_ptr<const File> file;
    /// The file's data, frames shared with it, and the skin path given as the material.
    ModelData data;
    /// The skin the mesh loaded, shared with whoever wears it; null for none.
    std::shared_ptr<const CTexture> skin;
};
