#include "models/MD2VertexArrays.h"

#include "base/GL.h"
#include "graphics/GraphicsCore.h"
#include "models/MD2Mesh.h"

#include <cstring>
#include <memory>
#include <unordered_map>
#include <utility>

namespace {

enum Changed { kPositions = 1, kNormals = 2 };

// Draws whose arrays each half of the stream buffer holds (about half a MiB for a model of 1,300
// corners). A fence ends each half; a half of 16 draws is usually finished by the time the other half
// is full, on llvmpipe among others, so wrapping needs no fresh storage.
const size_t kDrawsPerHalf = 16;

bool DriverHasBuffers() {
    return glGenBuffers && glBindBuffer && glBufferData && glBufferSubData && glDeleteBuffers;
}

bool DriverCanMapUnsynchronized() {
#ifdef __EMSCRIPTEN__
    // WebGL 1 maps no buffers and has no fences.
    return false;
#else
    return glMapBufferRange && glUnmapBuffer && glFenceSync && glClientWaitSync && glDeleteSync;
#endif
}

// The arrays of every model drawn so far, by the frames its meshes share (the meshes of one file's
// skins are drawn from one set of arrays). Never destroyed itself: a mesh held by a static object may
// go after the end of main, and its arrays with it.
std::unordered_map<const void*, std::unique_ptr<CMD2VertexArrays>>& Drawn() {
    static auto* drawn = new std::unordered_map<const void*, std::unique_ptr<CMD2VertexArrays>>;
    return *drawn;
}

const void* KeyOf(const CMD2Mesh& mesh) {
    return &mesh.GetData().frames.Read();
}

} // namespace

CMD2VertexArrays& CMD2VertexArrays::For(const CMD2Mesh& mesh) {
    std::unique_ptr<CMD2VertexArrays>& arrays = Drawn()[KeyOf(mesh)];
    if (!arrays) {
        arrays = std::make_unique<CMD2VertexArrays>();
        arrays->Build(mesh.GetData());
    }
    return *arrays;
}

void CMD2VertexArrays::Forget(const CMD2Mesh& mesh) {
    Drawn().erase(KeyOf(mesh));
}

CMD2VertexArrays::CMD2VertexArrays()
    : filledCur(nullptr), filledNext(nullptr), filledT(0.0f), filledNormals(nullptr), streamBuffer(0),
      staticBuffer(0), indexBuffer(0), streamSize(0), streamHalf(0), streamUsed(0),
      streamFilled(-1), fences{nullptr, nullptr}, buffersTried(false) {}

CMD2VertexArrays::~CMD2VertexArrays() {
    if (CGraphicsCore::ContextAlive()) {
        DeleteBuffers();
    }
}

void CMD2VertexArrays::Build(const ModelData& data) {
    if (streamBuffer != 0 && CGraphicsCore::ContextAlive()) {
        DeleteBuffers();
    }
    streamBuffer = staticBuffer = indexBuffer = 0;
    buffersTried = false;
    filledCur = filledNext = filledNormals = nullptr;
    corners = BuildCorners(data);
    positions.assign(3 * corners.vertex.size(), 0.0f);
    normals.assign(3 * corners.vertex.size(), 0.0f);
}

int CMD2VertexArrays::Fill(const FrameMesh& cur, const FrameMesh& nxt, float t) {
    int changed = 0;
    if (cur.normals.data() != filledNormals) {
        // Normals are those of the frame being left; only positions are interpolated.
        for (size_t c = 0; c < corners.vertex.size(); ++c) {
            const Vec3& n = cur.normals[corners.vertex[c]];
            normals[3 * c] = n.x;
            normals[3 * c + 1] = n.y;
            normals[3 * c + 2] = n.z;
        }
        filledNormals = cur.normals.data();
        changed |= kNormals;
    }
    if (cur.positions.data() != filledCur || nxt.positions.data() != filledNext || t != filledT) {
        // The same expression as the immediate drawing, so both give the same bits.
        for (size_t c = 0; c < corners.vertex.size(); ++c) {
            const Vec3& a = cur.positions[corners.vertex[c]];
            const Vec3& b = nxt.positions[corners.vertex[c]];
            positions[3 * c] = a.x + t * (b.x - a.x);
            positions[3 * c + 1] = a.y + t * (b.y - a.y);
            positions[3 * c + 2] = a.z + t * (b.z - a.z);
        }
        filledCur = cur.positions.data();
        filledNext = nxt.positions.data();
        filledT = t;
        changed |= kPositions;
    }
    return changed;
}

void CMD2VertexArrays::CreateBuffers() {
    buffersTried = true;
    if (!DriverHasBuffers()) {
        return;
    }
    const size_t block = positions.size() * sizeof(float);
    streamSize = 2 * kDrawsPerHalf * 2 * block;
    glGenBuffers(1, &streamBuffer);
    glGenBuffers(1, &staticBuffer);
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(streamSize), nullptr, GL_STREAM_DRAW);
    streamHalf = streamUsed = 0;
    streamFilled = -1;
    if (!corners.texCoords.empty()) {
        glBindBuffer(GL_ARRAY_BUFFER, staticBuffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.texCoords.size() * sizeof(float)),
                     corners.texCoords.data(), GL_STATIC_DRAW);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.indices.size() * sizeof(uint32_t)),
                 corners.indices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void CMD2VertexArrays::DeleteBuffers() {
    if (streamBuffer != 0) {
        glDeleteBuffers(1, &streamBuffer);
        glDeleteBuffers(1, &staticBuffer);
        glDeleteBuffers(1, &indexBuffer);
    }
    DeleteFences();
    streamBuffer = staticBuffer = indexBuffer = 0;
}

void CMD2VertexArrays::DeleteFences() {
    for (void*& fence : fences) {
        if (fence != nullptr) {
            glDeleteSync(static_cast<GLsync>(fence));
            fence = nullptr;
        }
    }
}

bool CMD2VertexArrays::Finished(void*& fence) {
    if (fence == nullptr) {
        return true;
    }
    const GLenum status = glClientWaitSync(static_cast<GLsync>(fence), 0, 0);
    glDeleteSync(static_cast<GLsync>(fence));
    fence = nullptr;
    return status == GL_ALREADY_SIGNALED || status == GL_CONDITION_SATISFIED;
}

std::ptrdiff_t CMD2VertexArrays::Stream(size_t block) {
    const size_t need = 2 * block;
    const size_t half = streamSize / 2;
    const bool mapping = DriverCanMapUnsynchronized();
    if (streamUsed + need > half) {
        // The draws from the half being left are fenced. The other half is written over once the draws
        // from it have finished; only when they have not (or without fences, on every wrap) does the
        // buffer get fresh storage, the old staying with the draws that still read it.
        const size_t next = 1 - streamHalf;
        bool fresh = next == 0;
        if (mapping) {
            fences[streamHalf] = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
            fresh = fences[streamHalf] == nullptr || !Finished(fences[next]);
        }
        if (fresh) {
            glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(streamSize), nullptr, GL_STREAM_DRAW);
            DeleteFences();
        }
        streamHalf = next;
        streamUsed = 0;
    }
    const GLintptr at = static_cast<GLintptr>(streamHalf * half + streamUsed);
    void* place = nullptr;
    if (mapping) {
        place = glMapBufferRange(GL_ARRAY_BUFFER, at, static_cast<GLsizeiptr>(need),
                                 GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT);
    }
    if (place) {
        std::memcpy(place, positions.data(), block);
        std::memcpy(static_cast<char*>(place) + block, normals.data(), block);
        glUnmapBuffer(GL_ARRAY_BUFFER);
    } else {
        glBufferSubData(GL_ARRAY_BUFFER, at, static_cast<GLsizeiptr>(block), positions.data());
        glBufferSubData(GL_ARRAY_BUFFER, at + static_cast<GLintptr>(block), static_cast<GLsizeiptr>(block),
                        normals.data());
    }
    streamUsed += need;
    return at;
}

void CMD2VertexArrays::Draw(const FrameMesh& cur, const FrameMesh& nxt, float t) {
    if (corners.indices.empty()) {
        return;
    }
    // The caller's arrays and buffer bindings come back as they were.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    if (!buffersTried) {
        CreateBuffers();
    }
    const int changed = Fill(cur, nxt, t);
    const size_t block = positions.size() * sizeof(float);
    const void* positionData = positions.data();
    const void* normalData = normals.data();
    const void* texCoordData = corners.texCoords.data();
    const void* indexData = corners.indices.data();
    if (streamBuffer != 0) {
        glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
        if (changed != 0 || streamFilled < 0) {
            streamFilled = Stream(block);
        }
        positionData = reinterpret_cast<const void*>(static_cast<uintptr_t>(streamFilled));
        normalData = reinterpret_cast<const void*>(static_cast<uintptr_t>(streamFilled) + block);
    } else if (glBindBuffer) {
        // Client arrays: a buffer the caller left bound would turn the pointers into offsets.
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positionData);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, normalData);
    if (!corners.texCoords.empty()) {
        if (glClientActiveTextureARB) {
            glClientActiveTextureARB(GL_TEXTURE0_ARB);
        }
        if (staticBuffer != 0) {
            glBindBuffer(GL_ARRAY_BUFFER, staticBuffer);
            texCoordData = nullptr;
        }
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, texCoordData);
    }
    if (indexBuffer != 0) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
        indexData = nullptr;
    } else if (glBindBuffer) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(corners.indices.size()), GL_UNSIGNED_INT, indexData);
    glPopClientAttrib();
}
