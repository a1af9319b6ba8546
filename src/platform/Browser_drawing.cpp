// The browser build's immediate mode, client arrays, wireframe and display lists, drawn through the
// emulation's one dependable path: interleaved client arrays. Built with KORVEL_BROWSER_CALLS_REAL_GL.
#include "platform/Browser.h"

#include <vector>

namespace Browser {

namespace {

// Immediate mode: the vertices of one glBegin/glEnd with every attribute the block sets, replayed
// at glEnd with each attribute given for every vertex, and as outlines in wireframe.
struct Vertex {
    GLfloat position[3];
    GLfloat texCoord[2];
    GLfloat normal[3];
    GLfloat color[4];
};
enum { kTexCoord = 1, kNormal = 2, kColor = 4 };
struct Block {
    bool open = false;
    GLenum mode = GL_TRIANGLES;
    int attributes = 0;
    Vertex current = {{0, 0, 0}, {0, 0}, {0, 0, 1}, {1, 1, 1, 1}};
    std::vector<Vertex> vertices;
} block;
GLenum polygonMode = GL_FILL;
bool compilingList = false;

// SwiftShader's WebGL drops a line that crosses the plane of the eye instead of clipping it (the
// grid's lines that run past the camera): lines are cut at the near plane here first.
struct Clip {
    GLfloat m[16];

    Clip() {
        GLfloat modelView[16], projection[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        for (int c = 0; c < 4; ++c) {
            for (int r = 0; r < 4; ++r) {
                GLfloat sum = 0.0f;
                for (int k = 0; k < 4; ++k) {
                    sum += projection[k * 4 + r] * modelView[c * 4 + k];
                }
                m[c * 4 + r] = sum;
            }
        }
    }

    // How far in front of the near plane a point is (z + w in clip space); negative behind it.
    GLfloat Front(const Vertex& v) const {
        const GLfloat* p = v.position;
        const GLfloat z = m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14];
        const GLfloat w = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15];
        return z + w;
    }

    // Moves the end behind the near plane onto it; false when the whole line is behind.
    bool Line(Vertex& a, Vertex& b) const {
        const GLfloat fa = Front(a), fb = Front(b);
        if (fa < 0.0f && fb < 0.0f) {
            return false;
        }
        if (fa >= 0.0f && fb >= 0.0f) {
            return true;
        }
        Vertex& behind = fa < 0.0f ? a : b;
        const Vertex& front = fa < 0.0f ? b : a;
        const GLfloat t = (fa < 0.0f ? fa : fb) / (fa - fb) * (fa < 0.0f ? 1.0f : -1.0f);
        // Every attribute moves with the position.
        auto toward = [t](GLfloat* out, const GLfloat* in, int count) {
            for (int i = 0; i < count; ++i) {
                out[i] += t * (in[i] - out[i]);
            }
        };
        toward(behind.position, front.position, 3);
        toward(behind.texCoord, front.texCoord, 2);
        toward(behind.normal, front.normal, 3);
        toward(behind.color, front.color, 4);
        return true;
    }
};

// The polygon edges of the block as pairs of vertex indices; empty for points and lines.
std::vector<size_t> Edges(GLenum mode, size_t count) {
    std::vector<size_t> edges;
    auto polygon = [&edges](std::initializer_list<size_t> corners) {
        const size_t* c = corners.begin();
        for (size_t i = 0; i < corners.size(); ++i) {
            edges.push_back(c[i]);
            edges.push_back(c[(i + 1) % corners.size()]);
        }
    };
    switch (mode) {
    case GL_TRIANGLES:
        for (size_t i = 0; i + 2 < count; i += 3) {
            polygon({i, i + 1, i + 2});
        }
        break;
    case GL_QUADS:
        for (size_t i = 0; i + 3 < count; i += 4) {
            polygon({i, i + 1, i + 2, i + 3});
        }
        break;
    case GL_TRIANGLE_STRIP:
        for (size_t i = 0; i + 2 < count; ++i) {
            polygon({i, i + 1, i + 2});
        }
        break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
        for (size_t i = 1; i + 1 < count; ++i) {
            polygon({0, i, i + 1});
        }
        break;
    default:
        break;
    }
    return edges;
}

// Client arrays: what the program enabled and pointed at, and the array buffer bound (0 when the
// pointers are addresses in memory).
struct ClientArray {
    bool enabled = false;
    GLint size = 0;
    GLsizei stride = 0;
    const unsigned char* data = nullptr;

    const GLfloat* At(size_t index) const {
        const size_t step =
            stride ? static_cast<size_t>(stride) : static_cast<size_t>(size) * sizeof(GLfloat);
        return reinterpret_cast<const GLfloat*>(data + index * step);
    }
};
struct ClientArrays {
    ClientArray vertex, texCoord, normal;
    GLuint arrayBuffer = 0;
} client;

ClientArray* Array(GLenum array) {
    switch (array) {
    case GL_VERTEX_ARRAY:
        return &client.vertex;
    case GL_TEXTURE_COORD_ARRAY:
        return &client.texCoord;
    case GL_NORMAL_ARRAY:
        return &client.normal;
    default:
        return nullptr;
    }
}

// Every array the engine draws from holds floats.
void Point(ClientArray& array, GLint size, GLsizei stride, const void* data) {
    array.size = size;
    array.stride = stride;
    array.data = static_cast<const unsigned char*>(data);
}

void EmitArrayVertex(size_t index);

// Draws the vertices as one interleaved client array: the emulation draws such an array in one
// call, where vertex by vertex costs a call into the page for every attribute.
void Draw(GLenum mode, const std::vector<Vertex>& vertices) {
    const bool texCoords = block.attributes & kTexCoord, normals = block.attributes & kNormal,
               colors = block.attributes & kColor;
    const GLsizei floats = 3 + (texCoords ? 2 : 0) + (normals ? 3 : 0) + (colors ? 4 : 0);
    static std::vector<GLfloat> interleaved;
    interleaved.clear();
    for (const Vertex& v : vertices) {
        interleaved.insert(interleaved.end(), v.position, v.position + 3);
        if (texCoords) {
            interleaved.insert(interleaved.end(), v.texCoord, v.texCoord + 2);
        }
        if (normals) {
            interleaved.insert(interleaved.end(), v.normal, v.normal + 3);
        }
        if (colors) {
            interleaved.insert(interleaved.end(), v.color, v.color + 4);
        }
    }
    const GLsizei stride = floats * static_cast<GLsizei>(sizeof(GLfloat));
    const GLfloat* at = interleaved.data();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, at);
    at += 3;
    if (texCoords) {
        glClientActiveTexture(GL_TEXTURE0);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, at);
        at += 2;
    }
    if (normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, at);
        at += 3;
    }
    if (colors) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, stride, at);
    }
    glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, client.arrayBuffer);
    if (colors) {
        // As after glEnd, the current colour is the last vertex's.
        glColor4f(block.current.color[0], block.current.color[1], block.current.color[2],
                  block.current.color[3]);
    }
}

} // namespace

// Everything in the engine enables the client arrays it draws from after the push and expects them
// off after the pop.
void PushClientAttrib(GLbitfield) {}

void PopClientAttrib() {
    client.vertex.enabled = client.texCoord.enabled = client.normal.enabled = false;
}

void PolygonMode(GLenum, GLenum mode) {
    polygonMode = mode;
}

void Begin(GLenum mode) {
    block.open = true;
    block.mode = mode;
    block.attributes = 0;
    block.vertices.clear();
}

void End() {
    block.open = false;
    if (block.vertices.empty() || compilingList) {
        return;
    }
    std::vector<size_t> edges =
        polygonMode == GL_LINE ? Edges(block.mode, block.vertices.size()) : std::vector<size_t>();
    if (block.mode == GL_LINES) {
        for (size_t i = 0; i + 1 < block.vertices.size(); i += 2) {
            edges.push_back(i);
            edges.push_back(i + 1);
        }
    }
    if (edges.empty()) {
        Draw(block.mode, block.vertices);
        return;
    }
    const Clip clip;
    std::vector<Vertex> lines;
    for (size_t i = 0; i + 1 < edges.size(); i += 2) {
        Vertex a = block.vertices[edges[i]], b = block.vertices[edges[i + 1]];
        if (clip.Line(a, b)) {
            lines.push_back(a);
            lines.push_back(b);
        }
    }
    Draw(GL_LINES, lines);
}

void Vertex2f(GLfloat x, GLfloat y) {
    Vertex3f(x, y, 0.0f);
}

void Vertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (!block.open) {
        glVertex3f(x, y, z);
        return;
    }
    block.current.position[0] = x, block.current.position[1] = y, block.current.position[2] = z;
    block.vertices.push_back(block.current);
}

void TexCoord2f(GLfloat s, GLfloat t) {
    block.current.texCoord[0] = s, block.current.texCoord[1] = t;
    block.attributes |= kTexCoord;
    if (!block.open) {
        glTexCoord2f(s, t);
    }
}

void Normal3f(GLfloat x, GLfloat y, GLfloat z) {
    block.current.normal[0] = x, block.current.normal[1] = y, block.current.normal[2] = z;
    block.attributes |= kNormal;
    if (!block.open) {
        glNormal3f(x, y, z);
    }
}

void Color3f(GLfloat r, GLfloat g, GLfloat b) {
    Color4f(r, g, b, 1.0f);
}

void Color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    block.current.color[0] = r, block.current.color[1] = g, block.current.color[2] = b,
    block.current.color[3] = a;
    if (block.open) {
        block.attributes |= kColor;
    } else {
        glColor4f(r, g, b, a);
    }
}

void BindBuffer(GLenum target, GLuint buffer) {
    if (target == GL_ARRAY_BUFFER) {
        client.arrayBuffer = buffer;
    }
    glBindBuffer(target, buffer);
}

void EnableClientState(GLenum array) {
    if (ClientArray* a = Array(array)) {
        a->enabled = true;
    }
}

void DisableClientState(GLenum array) {
    if (ClientArray* a = Array(array)) {
        a->enabled = false;
    }
}

void VertexPointer(GLint size, GLenum, GLsizei stride, const void* data) {
    Point(client.vertex, size, stride, data);
}

void TexCoordPointer(GLint size, GLenum, GLsizei stride, const void* data) {
    Point(client.texCoord, size, stride, data);
}

void NormalPointer(GLenum, GLsizei stride, const void* data) {
    Point(client.normal, 3, stride, data);
}

namespace {

void EmitArrayVertex(size_t index) {
    if (client.texCoord.enabled) {
        const GLfloat* t = client.texCoord.At(index);
        TexCoord2f(t[0], client.texCoord.size > 1 ? t[1] : 0.0f);
    }
    if (client.normal.enabled) {
        const GLfloat* n = client.normal.At(index);
        Normal3f(n[0], n[1], n[2]);
    }
    const GLfloat* v = client.vertex.At(index);
    Vertex3f(v[0], v[1], client.vertex.size > 2 ? v[2] : 0.0f);
}

bool DrawsFromMemory() {
    return client.arrayBuffer == 0 && client.vertex.enabled && client.vertex.data;
}

} // namespace

void DrawArrays(GLenum mode, GLint first, GLsizei count) {
    if (!DrawsFromMemory() || first < 0) {
        return;
    }
    Begin(mode);
    for (GLsizei i = 0; i < count; ++i) {
        EmitArrayVertex(static_cast<size_t>(first + i));
    }
    End();
}

void DrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    if (!DrawsFromMemory() || !indices) {
        return;
    }
    Begin(mode);
    for (GLsizei i = 0; i < count; ++i) {
        const size_t n = static_cast<size_t>(i);
        size_t index = type == GL_UNSIGNED_INT     ? static_cast<const GLuint*>(indices)[n]
                       : type == GL_UNSIGNED_SHORT ? static_cast<const GLushort*>(indices)[n]
                                                   : static_cast<const GLubyte*>(indices)[n];
        EmitArrayVertex(index);
    }
    End();
}

// Display lists: names are handed out so a program that needs them to be non-zero goes on, but what
// is "compiled" into one is dropped and calling one draws nothing.
GLuint GenLists(GLsizei range) {
    static GLuint next = 1;
    const GLuint base = next;
    next += static_cast<GLuint>(range > 0 ? range : 0);
    return base;
}
void NoList(GLuint) {}
void NoListCall(GLsizei, GLenum, const void*) {}
void NoListRange(GLuint, GLsizei) {}
void NoListStart(GLuint, GLenum) {
    compilingList = true;
}
void NoListEnd() {
    compilingList = false;
}

} // namespace Browser
