#include "models/MD2VertexArrays.h"

#include "base/GL.h"
#include "graphics/GraphicsCore.h"
#include "models/MD2Corners.h"

#include <utility>

namespace {

enum Changed { kPositions = 1, kNormals = 2 };

bool DriverHasBuffers() {
    return glGenBuffers && glBindBuffer && glBufferData && glBufferSubData && glDeleteBuffers;
}

} // namespace

CMD2VertexArrays::CMD2VertexArrays()
    : filledCur(nullptr), filledNext(nullptr), filledT(0.0f), filledNormals(nullptr), vertexBuffer(0),
      indexBuffer(0), buffersTried(false) {}

CMD2VertexArrays::~CMD2VertexArrays() {
    if (CGraphicsCore::ContextAlive()) {
        DeleteBuffers();
    }
}

void CMD2VertexArrays::Build(const ModelData& data) {
    if (vertexBuffer != 0 && CGraphicsCore::ContextAlive()) {
        DeleteBuffers();
    }
    vertexBuffer = indexBuffer = 0;
    buffersTried = false;
    filledCur = filledNext = filledNormals = nullptr;
    MD2Corners corners = BuildCorners(data);
    cornerVertex = std::move(corners.vertex);
    texCoords = std::move(corners.texCoords);
    indices = std::move(corners.indices);
    positions.assign(3 * cornerVertex.size(), 0.0f);
    normals.assign(3 * cornerVertex.size(), 0.0f);
}

int CMD2VertexArrays::Fill(const FrameMesh& cur, const FrameMesh& nxt, float t) {
    int changed = 0;
    if (cur.normals != filledNormals) {
        // Normals are those of the frame being left; only positions are interpolated.
        for (size_t c = 0; c < cornerVertex.size(); ++c) {
            const Vec3& n = cur.normals[cornerVertex[c]];
            normals[3 * c] = n.x;
            normals[3 * c + 1] = n.y;
            normals[3 * c + 2] = n.z;
        }
        filledNormals = cur.normals;
        changed |= kNormals;
    }
    if (cur.positions != filledCur || nxt.positions != filledNext || t != filledT) {
        // The same expression as the immediate drawing, so both give the same bits.
        for (size_t c = 0; c < cornerVertex.size(); ++c) {
            const Vec3& a = cur.positions[cornerVertex[c]];
            const Vec3& b = nxt.positions[cornerVertex[c]];
            positions[3 * c] = a.x + t * (b.x - a.x);
            positions[3 * c + 1] = a.y + t * (b.y - a.y);
            positions[3 * c + 2] = a.z + t * (b.z - a.z);
        }
        filledCur = cur.positions;
        filledNext = nxt.positions;
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
    const GLsizeiptr block = static_cast<GLsizeiptr>(positions.size() * sizeof(float));
    const GLsizeiptr texBytes = static_cast<GLsizeiptr>(texCoords.size() * sizeof(float));
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, 2 * block + texBytes, nullptr, GL_STREAM_DRAW);
    if (texBytes > 0) {
        glBufferSubData(GL_ARRAY_BUFFER, 2 * block, texBytes, texCoords.data());
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)),
                 indices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void CMD2VertexArrays::DeleteBuffers() {
    if (vertexBuffer != 0) {
        glDeleteBuffers(1, &vertexBuffer);
        glDeleteBuffers(1, &indexBuffer);
    }
    vertexBuffer = indexBuffer = 0;
}

void CMD2VertexArrays::Draw(const FrameMesh& cur, const FrameMesh& nxt, float t) {
    if (indices.empty()) {
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
    const void* texCoordData = texCoords.data();
    const void* indexData = indices.data();
    if (vertexBuffer != 0) {
        glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
        if (changed & kPositions) {
            glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(block), positions.data());
        }
        if (changed & kNormals) {
            glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(block), static_cast<GLsizeiptr>(block),
                            normals.data());
        }
        // With buffer objects the pointers are offsets into the bound buffers.
        positionData = nullptr;
        normalData = reinterpret_cast<const void*>(static_cast<uintptr_t>(block));
        texCoordData = reinterpret_cast<const void*>(static_cast<uintptr_t>(2 * block));
        indexData = nullptr;
    } else if (glBindBuffer) {
        // Client arrays: a buffer the caller left bound would turn the pointers into offsets.
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positionData);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, normalData);
    if (!texCoords.empty()) {
        if (glClientActiveTextureARB) {
            glClientActiveTextureARB(GL_TEXTURE0_ARB);
        }
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, texCoordData);
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indexData);
    glPopClientAttrib();
}
