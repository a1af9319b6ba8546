// The browser build's immediate mode, vertex arrays (in memory or in buffer objects), wireframe and
// display lists, drawn through the emulation's one dependable path: interleaved arrays, indexed with
// 16 bits. Built with KORVEL_BROWSER_CALLS_REAL_GL.
#include "platform/Browser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
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

// Buffer objects: the layer keeps each one's bytes itself. The emulation cannot draw from the
// desktop's buffers as GL would: it reads every array from the one buffer bound when it draws (not
// the one bound when the array was pointed at), takes arrays that are not interleaved for addresses
// in memory even when they are offsets into a buffer, and reads every index as 16 bits whatever type
// it is told. A draw from buffers is handed to it as one interleaved array with 16-bit indices.
struct Buffer {
    std::vector<unsigned char> bytes;
    // Bumped at every change; the GL buffer of the same name holds the indices as 16 bits as they
    // were at `sentVersion`, for indices of `sentType`.
    unsigned version = 1;
    unsigned sentVersion = 0;
    GLenum sentType = 0;
};
std::unordered_map<GLuint, Buffer> buffers;

// Client arrays: what the program enabled and pointed at, in memory or (`buffer`, non-zero) at an
// offset into a buffer's bytes, as the array buffer bound at the time says.
struct ClientArray {
    bool enabled = false;
    GLint size = 0;
    GLsizei stride = 0;
    const unsigned char* data = nullptr;
    GLuint buffer = 0;

    size_t Step() const {
        return stride ? static_cast<size_t>(stride) : static_cast<size_t>(size) * sizeof(GLfloat);
    }

    // The array's first byte in memory for a draw reading `vertices` of it; null when there is
    // none, or when its buffer is too short.
    const unsigned char* Start(size_t vertices) const {
        if (buffer == 0) {
            return data;
        }
        const auto found = buffers.find(buffer);
        const size_t offset = reinterpret_cast<uintptr_t>(data);
        const size_t end = offset + (vertices - 1) * Step() + static_cast<size_t>(size) * sizeof(GLfloat);
        if (found == buffers.end() || vertices == 0 || end > found->second.bytes.size()) {
            return nullptr;
        }
        return found->second.bytes.data() + offset;
    }
};
struct ClientArrays {
    ClientArray vertex, texCoord, normal;
    GLuint arrayBuffer = 0;
    GLuint elementBuffer = 0;
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
    array.buffer = client.arrayBuffer;
}

Buffer* Bound(GLenum target) {
    const GLuint name = target == GL_ARRAY_BUFFER           ? client.arrayBuffer
                        : target == GL_ELEMENT_ARRAY_BUFFER ? client.elementBuffer
                                                            : 0;
    return name ? &buffers[name] : nullptr;
}

// The enabled arrays of one draw, where they lie in memory; false when the vertices cannot be read.
struct Sources {
    const unsigned char* vertex = nullptr;
    const unsigned char* texCoord = nullptr;
    const unsigned char* normal = nullptr;

    bool Resolve(size_t vertices) {
        vertex = client.vertex.enabled ? client.vertex.Start(vertices) : nullptr;
        texCoord = client.texCoord.enabled ? client.texCoord.Start(vertices) : nullptr;
        normal = client.normal.enabled ? client.normal.Start(vertices) : nullptr;
        return vertex && (texCoord || !client.texCoord.enabled) && (normal || !client.normal.enabled);
    }
};

// One interleaved vertex: a position of `position` floats, then `texCoord` floats of texture
// coordinates (none for 0), a normal and a colour when asked for, in that order.
struct Layout {
    GLint position = 3;
    GLint texCoord = 0;
    bool normals = false;
    bool colors = false;

    GLsizei Floats() const { return position + texCoord + (normals ? 3 : 0) + (colors ? 4 : 0); }
};

// Points the emulation at interleaved vertices from `at` on: an address, or an offset into the
// array buffer bound.
void PointInterleaved(const Layout& layout, uintptr_t at) {
    const GLsizei stride = layout.Floats() * static_cast<GLsizei>(sizeof(GLfloat));
    auto next = [&at](GLint floats) {
        const void* here = reinterpret_cast<const void*>(at);
        at += static_cast<uintptr_t>(floats) * sizeof(GLfloat);
        return here;
    };
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(layout.position, GL_FLOAT, stride, next(layout.position));
    if (layout.texCoord) {
        glClientActiveTexture(GL_TEXTURE0);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(layout.texCoord, GL_FLOAT, stride, next(layout.texCoord));
    }
    if (layout.normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, next(3));
    }
    if (layout.colors) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, stride, next(4));
    }
}

void StopPointing() {
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

// A buffer holding the interleaved floats. A frame sends most of its blocks again unchanged (the
// grid, the help text, the logo): those are drawn from the buffer they went to the first time, and
// WebGL is handed no bytes for them. The last kCachedBlocks blocks are kept by content; the one drawn
// longest ago makes room for a new one, which gets fresh storage: the draws before may still read the
// old, and WebGL 1 maps no buffers.
GLuint BufferHolding(const std::vector<GLfloat>& interleaved) {
    constexpr size_t kCachedBlocks = 64;
    struct Held {
        std::vector<GLfloat> floats;
        GLuint buffer = 0;
        uint64_t drawn = 0;
    };
    static std::vector<Held> held;
    static uint64_t draws = 0;
    ++draws;
    for (Held& h : held) {
        if (h.floats == interleaved) {
            h.drawn = draws;
            return h.buffer;
        }
    }
    Held* slot = nullptr;
    if (held.size() < kCachedBlocks) {
        held.emplace_back();
        slot = &held.back();
        glGenBuffers(1, &slot->buffer);
    } else {
        slot = &*std::min_element(held.begin(), held.end(),
                                  [](const Held& a, const Held& b) { return a.drawn < b.drawn; });
    }
    slot->floats = interleaved;
    slot->drawn = draws;
    glBindBuffer(GL_ARRAY_BUFFER, slot->buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(interleaved.size() * sizeof(GLfloat)), interleaved.data(),
                 GL_STREAM_DRAW);
    return slot->buffer;
}

// Draws the vertices as one interleaved array from a buffer of the layer's own: the emulation draws
// such an array in one call, where vertex by vertex costs a call into the page for every attribute.
// Pointed at memory instead, the emulation copies the vertices into a buffer the frame's earlier
// draws still read, and WebGL waits for those draws to finish first: that copy took most of the
// page's frame.
void Draw(GLenum mode, const std::vector<Vertex>& vertices) {
    Layout layout;
    layout.texCoord = block.attributes & kTexCoord ? 2 : 0;
    layout.normals = block.attributes & kNormal;
    layout.colors = block.attributes & kColor;
    static std::vector<GLfloat> interleaved;
    interleaved.clear();
    for (const Vertex& v : vertices) {
        interleaved.insert(interleaved.end(), v.position, v.position + 3);
        interleaved.insert(interleaved.end(), v.texCoord, v.texCoord + layout.texCoord);
        if (layout.normals) {
            interleaved.insert(interleaved.end(), v.normal, v.normal + 3);
        }
        if (layout.colors) {
            interleaved.insert(interleaved.end(), v.color, v.color + 4);
        }
    }
    glBindBuffer(GL_ARRAY_BUFFER, BufferHolding(interleaved));
    PointInterleaved(layout, 0);
    glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
    StopPointing();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (layout.colors) {
        // As after glEnd, the current colour is the last vertex's.
        glColor4f(block.current.color[0], block.current.color[1], block.current.color[2],
                  block.current.color[3]);
    }
}

size_t IndexSize(GLenum type) {
    return type == GL_UNSIGNED_INT ? 4 : type == GL_UNSIGNED_SHORT ? 2 : type == GL_UNSIGNED_BYTE ? 1 : 0;
}

size_t IndexAt(const unsigned char* indices, GLenum type, size_t n) {
    switch (type) {
    case GL_UNSIGNED_INT:
        return reinterpret_cast<const GLuint*>(indices)[n];
    case GL_UNSIGNED_SHORT:
        return reinterpret_cast<const GLushort*>(indices)[n];
    default:
        return indices[n];
    }
}

// Draws `count` indices from the arrays through one buffer of the layer's own, the vertices up to
// the highest index interleaved in it. The indices go to WebGL as 16 bits: those in memory at every
// draw, those of the element buffer bound (the draw's starting at its `first`) whole into the GL
// buffer of that name, once for each change of it.
void DrawIndexed(GLenum mode, GLsizei count, GLenum type, const unsigned char* indices, size_t first,
                 size_t vertices, const Sources& sources) {
    static GLuint vertexBuffer = 0, memoryIndexBuffer = 0;
    if (vertexBuffer == 0) {
        glGenBuffers(1, &vertexBuffer);
        glGenBuffers(1, &memoryIndexBuffer);
    }
    Layout layout;
    layout.position = client.vertex.size;
    layout.texCoord = sources.texCoord ? client.texCoord.size : 0;
    layout.normals = sources.normal != nullptr;
    static std::vector<GLfloat> interleaved;
    interleaved.resize(vertices * static_cast<size_t>(layout.Floats()));
    GLfloat* to = interleaved.data();
    auto copy = [&to](const ClientArray& array, const unsigned char* from, size_t index, GLint floats) {
        std::memcpy(to, from + index * array.Step(), static_cast<size_t>(floats) * sizeof(GLfloat));
        to += floats;
    };
    for (size_t i = 0; i < vertices; ++i) {
        copy(client.vertex, sources.vertex, i, layout.position);
        if (layout.texCoord) {
            copy(client.texCoord, sources.texCoord, i, layout.texCoord);
        }
        if (layout.normals) {
            copy(client.normal, sources.normal, i, 3);
        }
    }
    Buffer* source = client.elementBuffer ? &buffers[client.elementBuffer] : nullptr;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, source ? client.elementBuffer : memoryIndexBuffer);
    if (!source || source->sentVersion != source->version || source->sentType != type) {
        const unsigned char* from = source ? source->bytes.data() : indices;
        const size_t n = source ? source->bytes.size() / IndexSize(type) : static_cast<size_t>(count);
        static std::vector<GLushort> shorts;
        shorts.resize(n);
        for (size_t i = 0; i < n; ++i) {
            shorts[i] = static_cast<GLushort>(IndexAt(from, type, i));
        }
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(n * sizeof(GLushort)), shorts.data(),
                     source ? GL_STATIC_DRAW : GL_STREAM_DRAW);
        if (source) {
            source->sentVersion = source->version;
            source->sentType = type;
        }
    }
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    // Fresh storage every draw: WebGL 1 maps no buffers, and the draws before may still read the old.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(interleaved.size() * sizeof(GLfloat)), interleaved.data(),
                 GL_STREAM_DRAW);
    PointInterleaved(layout, 0);
    glDrawElements(mode, count, GL_UNSIGNED_SHORT,
                   reinterpret_cast<const void*>(static_cast<uintptr_t>(source ? first * sizeof(GLushort) : 0)));
    StopPointing();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

} // namespace

// Everything in the engine enables the client arrays it draws from after the push and expects them
// off after the pop.
void PushClientAttrib(GLbitfield) {}

void PopClientAttrib() {
    client.vertex.enabled = client.texCoord.enabled = client.normal.enabled = false;
    client.arrayBuffer = client.elementBuffer = 0;
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

// The bindings are the layer's alone: the emulation has no buffer bound but during the layer's
// own draws.
void BindBuffer(GLenum target, GLuint buffer) {
    if (target == GL_ARRAY_BUFFER) {
        client.arrayBuffer = buffer;
    } else if (target == GL_ELEMENT_ARRAY_BUFFER) {
        client.elementBuffer = buffer;
    }
}

void DeleteBuffers(GLsizei count, const GLuint* names) {
    for (GLsizei i = 0; i < count; ++i) {
        buffers.erase(names[i]);
        for (GLuint* bound : {&client.arrayBuffer, &client.elementBuffer}) {
            if (*bound == names[i]) {
                *bound = 0;
            }
        }
    }
    glDeleteBuffers(count, names);
}

void BufferData(GLenum target, GLsizeiptr size, const void* data, GLenum) {
    Buffer* buffer = Bound(target);
    if (!buffer || size < 0) {
        return;
    }
    // Without data the contents are undefined: what was there may stay.
    buffer->bytes.resize(static_cast<size_t>(size));
    if (data) {
        std::memcpy(buffer->bytes.data(), data, static_cast<size_t>(size));
    }
    ++buffer->version;
}

void BufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const void* data) {
    Buffer* buffer = Bound(target);
    if (!buffer || offset < 0 || size < 0 || !data ||
        static_cast<size_t>(offset) + static_cast<size_t>(size) > buffer->bytes.size()) {
        return;
    }
    std::memcpy(buffer->bytes.data() + offset, data, static_cast<size_t>(size));
    ++buffer->version;
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

void EmitArrayVertex(const Sources& sources, size_t index) {
    auto at = [index](const ClientArray& array, const unsigned char* start) {
        return reinterpret_cast<const GLfloat*>(start + index * array.Step());
    };
    if (sources.texCoord) {
        const GLfloat* t = at(client.texCoord, sources.texCoord);
        TexCoord2f(t[0], client.texCoord.size > 1 ? t[1] : 0.0f);
    }
    if (sources.normal) {
        const GLfloat* n = at(client.normal, sources.normal);
        Normal3f(n[0], n[1], n[2]);
    }
    const GLfloat* v = at(client.vertex, sources.vertex);
    Vertex3f(v[0], v[1], client.vertex.size > 2 ? v[2] : 0.0f);
}

} // namespace

void DrawArrays(GLenum mode, GLint first, GLsizei count) {
    Sources sources;
    if (first < 0 || count <= 0 || !sources.Resolve(static_cast<size_t>(first) + static_cast<size_t>(count))) {
        return;
    }
    Begin(mode);
    for (GLsizei i = 0; i < count; ++i) {
        EmitArrayVertex(sources, static_cast<size_t>(first + i));
    }
    End();
}

void DrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    const size_t size = IndexSize(type);
    if (count <= 0 || size == 0) {
        return;
    }
    // The indices in memory, or at an offset into the element buffer bound.
    const unsigned char* from = static_cast<const unsigned char*>(indices);
    size_t first = 0;
    if (client.elementBuffer != 0) {
        const std::vector<unsigned char>& bytes = buffers[client.elementBuffer].bytes;
        const size_t offset = reinterpret_cast<uintptr_t>(indices);
        if (offset % size != 0 || offset + static_cast<size_t>(count) * size > bytes.size()) {
            return;
        }
        from = bytes.data() + offset;
        first = offset / size;
    }
    if (!from) {
        return;
    }
    size_t vertices = 0;
    for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
        vertices = std::max(vertices, IndexAt(from, type, i) + 1);
    }
    Sources sources;
    if (!sources.Resolve(vertices)) {
        return;
    }
    // Outlines, quads and vertices beyond 16-bit indices go vertex by vertex.
    if (polygonMode == GL_LINE || mode > GL_TRIANGLE_FAN || vertices > 0x10000) {
        Begin(mode);
        for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
            EmitArrayVertex(sources, IndexAt(from, type, i));
        }
        End();
        return;
    }
    DrawIndexed(mode, count, type, from, first, vertices, sources);
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
