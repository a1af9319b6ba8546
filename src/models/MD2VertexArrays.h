/// \class CMD2VertexArrays
/// The vertex arrays an MD2 model is drawn from: one entry per distinct (vertex, texture coordinate)
/// corner of frame 0's triangles, rewritten with the interpolated frame and drawn with one indexed call,
/// from buffer objects where the driver has them. Each draw's interpolated arrays go to the next free
/// place of a stream buffer, so no draw overwrites what an earlier draw still being rendered reads and
/// the driver never has to give the buffer new storage per draw. They belong to the drawing side: a
/// shared mesh stays as loaded, and its arrays are made at its first draw and go with it; the meshes
/// of one file's skins, which share its frames, share its arrays too.
#pragma once

#include "models/MD2Corners.h"
#include "models/ModelData.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CMD2Mesh;

class CMD2VertexArrays {
public:
    /// The arrays the mesh is drawn from, built at the first draw of its frames (main thread only).
    static CMD2VertexArrays& For(const CMD2Mesh& mesh);
    /// Deletes the arrays of a mesh that goes, the last to hold its frames.
    static void Forget(const CMD2Mesh& mesh);

    CMD2VertexArrays();
    /// Deletes the buffer objects while the GL context is still alive.
    ~CMD2VertexArrays();
    CMD2VertexArrays(const CMD2VertexArrays&) = delete;
    CMD2VertexArrays& operator=(const CMD2VertexArrays&) = delete;

    /// Builds the corner table and sizes every array for the model; an empty model draws nothing.
    void Build(const ModelData& data);
    /// Writes frame cur moved the fraction t toward frame nxt and draws its triangles with one call.
    void Draw(const FrameMesh& cur, const FrameMesh& nxt, float t);

private:
    /// Interpolates the positions, and takes the normals when the frame being left has changed; says
    /// which of the two were rewritten (nothing when the arrays already hold this very frame).
    int Fill(const FrameMesh& cur, const FrameMesh& nxt, float t);
    /// Creates the buffers and sends the arrays that never change; once, with the context current.
    void CreateBuffers();
    void DeleteBuffers();
    /// Writes the positions and normals at the next free place of the stream buffer, which is bound,
    /// starting the buffer afresh when it is full; returns the place's offset.
    std::ptrdiff_t Stream(size_t block);
    /// Whether the draws before a fence have finished (true for no fence); the fence is deleted.
    static bool Finished(void*& fence);
    void DeleteFences();

    /// The corners, their texture coordinates and the triangles' indices into them.
    MD2Corners corners;
    /// Three floats per corner each, the frame as last written.
    std::vector<float> positions;
    std::vector<float> normals;
    /// What the arrays hold now, to skip rewriting a frame that has not moved.
    const Vec3* filledCur;
    const Vec3* filledNext;
    float filledT;
    const Vec3* filledNormals;
    /// The interpolated positions and normals of each draw, one draw after another; texture coordinates;
    /// indices. 0 while not created, and for ever when the driver has no buffer objects (client arrays
    /// are used then).
    uint32_t streamBuffer;
    uint32_t staticBuffer;
    uint32_t indexBuffer;
    /// Bytes of the stream buffer, the half being written and the bytes of it used, and where the
    /// arrays as last written lie (-1 when not there).
    size_t streamSize;
    size_t streamHalf;
    size_t streamUsed;
    std::ptrdiff_t streamFilled;
    /// The fence after the last draw from each half of the stream buffer, while one is pending.
    void* fences[2];
    bool buffersTried;
};
