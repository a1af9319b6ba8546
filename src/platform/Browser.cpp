// The browser build's shaders, GLU, textures and SDL surfaces. Built with KORVEL_BROWSER_CALLS_REAL_GL:
// the names below reach Emscripten's own calls.
#include "platform/Browser.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace Browser {

namespace {

bool IsProgram(GLhandleARB object) {
    return glIsProgram(object) == GL_TRUE;
}

// GLSL ES takes no "#version 110" and offers no normal matrix; the model-view matrix's rotation
// part stands in for it (the shaders normalise what it gives, and models are scaled evenly).
std::string ForWebGL(std::string text) {
    std::string::size_type at = text.find("#version");
    if (at != std::string::npos) {
        text.replace(at, text.find('\n', at) - at, "");
    }
    const std::string normalMatrix = "gl_NormalMatrix";
    const std::string rotation =
        "mat3(gl_ModelViewMatrix[0].xyz, gl_ModelViewMatrix[1].xyz, gl_ModelViewMatrix[2].xyz)";
    for (at = text.find(normalMatrix); at != std::string::npos; at = text.find(normalMatrix, at)) {
        text.replace(at, normalMatrix.size(), rotation);
        at += rotation.size();
    }
    return text;
}

struct ProxySize {
    GLsizei width = 0, height = 0;
} proxy;

int BytesPerPixel(GLenum format) {
    switch (format) {
    case GL_RGBA:
        return 4;
    case GL_RGB:
        return 3;
    case GL_LUMINANCE_ALPHA:
        return 2;
    default:
        return 1;
    }
}

GLsizei PowerOfTwoAtMost(GLsizei size) {
    GLsizei power = 1;
    while (power * 2 <= size) {
        power *= 2;
    }
    return power;
}

} // namespace

GLhandleARB CreateShaderObject(GLenum type) {
    return glCreateShader(type);
}

GLhandleARB CreateProgramObject() {
    return glCreateProgram();
}

void ShaderSource(GLhandleARB shader, GLsizei count, const GLcharARB* const* texts, const GLint* lengths) {
    std::string text;
    for (GLsizei i = 0; i < count; ++i) {
        text += lengths && lengths[i] >= 0 ? std::string(texts[i], static_cast<size_t>(lengths[i]))
                                           : std::string(texts[i]);
    }
    text = ForWebGL(LightBuiltInsAsUniforms(text));
    RememberShaderText(shader, text);
    const GLchar* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
}

void GetObjectParameteriv(GLhandleARB object, GLenum name, GLint* value) {
    if (IsProgram(object)) {
        glGetProgramiv(object, name, value);
    } else {
        glGetShaderiv(object, name, value);
    }
}

void GetInfoLog(GLhandleARB object, GLsizei size, GLsizei* length, GLcharARB* log) {
    if (IsProgram(object)) {
        glGetProgramInfoLog(object, size, length, log);
    } else {
        glGetShaderInfoLog(object, size, length, log);
    }
}

void DeleteObject(GLhandleARB object) {
    if (IsProgram(object)) {
        DeleteProgramObject(object);
    } else {
        DeleteShaderObject(object);
    }
}

void LookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble targetX, GLdouble targetY, GLdouble targetZ,
            GLdouble upX, GLdouble upY, GLdouble upZ) {
    auto normalise = [](GLdouble v[3]) {
        GLdouble length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (length > 0.0) {
            v[0] /= length, v[1] /= length, v[2] /= length;
        }
    };
    GLdouble f[3] = {targetX - eyeX, targetY - eyeY, targetZ - eyeZ};
    normalise(f);
    GLdouble s[3] = {f[1] * upZ - f[2] * upY, f[2] * upX - f[0] * upZ, f[0] * upY - f[1] * upX};
    normalise(s);
    const GLdouble u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
    const GLfloat m[16] = {GLfloat(s[0]),
                           GLfloat(u[0]),
                           GLfloat(-f[0]),
                           0,
                           GLfloat(s[1]),
                           GLfloat(u[1]),
                           GLfloat(-f[1]),
                           0,
                           GLfloat(s[2]),
                           GLfloat(u[2]),
                           GLfloat(-f[2]),
                           0,
                           0,
                           0,
                           0,
                           1};
    glMultMatrixf(m);
    glTranslatef(GLfloat(-eyeX), GLfloat(-eyeY), GLfloat(-eyeZ));
}

GLint Build2DMipmaps(GLenum target, GLint, GLsizei width, GLsizei height, GLenum format, GLenum type,
                     const void* pixels) {
    // WebGL 1 builds mipmaps of power-of-two images only: others are scaled down to one first, as
    // GLU does.
    const GLsizei w = PowerOfTwoAtMost(width), h = PowerOfTwoAtMost(height);
    std::vector<unsigned char> scaled;
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    if ((w != width || h != height) && type == GL_UNSIGNED_BYTE) {
        const size_t pixel = static_cast<size_t>(BytesPerPixel(format));
        const size_t pitch = (static_cast<size_t>(width) * pixel + static_cast<size_t>(alignment) - 1) /
                             static_cast<size_t>(alignment) * static_cast<size_t>(alignment);
        scaled.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * pixel);
        const unsigned char* in = static_cast<const unsigned char*>(pixels);
        for (GLsizei y = 0; y < h; ++y) {
            const size_t sy = static_cast<size_t>((static_cast<double>(y) + 0.5) * height / h);
            for (GLsizei x = 0; x < w; ++x) {
                const size_t sx = static_cast<size_t>((static_cast<double>(x) + 0.5) * width / w);
                std::memcpy(
                    &scaled[(static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) *
                            pixel],
                    in + sy * pitch + sx * pixel, pixel);
            }
        }
        pixels = scaled.data();
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    glTexImage2D(target, 0, static_cast<GLint>(format), w, h, 0, format, type, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glGenerateMipmap(target);
    return 0;
}

void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const void* pixels) {
    if (target == GL_PROXY_TEXTURE_2D) {
        GLint largest = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        const bool fits = width <= largest && height <= largest;
        proxy.width = fits ? width : 0;
        proxy.height = fits ? height : 0;
        return;
    }
    // WebGL takes no component count and no internal format other than the pixels' own.
    (void)internalFormat;
    glTexImage2D(target, level, static_cast<GLint>(format), width, height, border, format, type, pixels);
}

void GetTexLevelParameteriv(GLenum target, GLint, GLenum name, GLint* value) {
    if (target == GL_PROXY_TEXTURE_2D && (name == GL_TEXTURE_WIDTH || name == GL_TEXTURE_HEIGHT)) {
        *value = name == GL_TEXTURE_WIDTH ? proxy.width : proxy.height;
        return;
    }
    *value = 0;
}

void NoReadBuffer(GLenum) {}

// The emulation numbers its streams from 0, gives a number out again once every stream after it is
// closed, and hands the number over as the stream's pointer: stream 0 reads as no stream at all, so a
// file opened when no other stream was open failed to load. Number 0 is kept, unused, for the rest of
// the run the first time it comes up.
namespace {

bool streamZeroKept = false;

template <typename Open>
SDL_RWops* NonZeroStream(Open open) {
    SDL_RWops* stream = open();
    if (!stream && !streamZeroKept) {
        streamZeroKept = true;
        stream = open();
    }
    return stream;
}

} // namespace

SDL_RWops* RWFromConstMem(const void* bytes, int size) {
    SDL_RWops* stream = NonZeroStream([&] { return SDL_RWFromConstMem(bytes, size); });
    RememberStream(stream, bytes, size);
    return stream;
}

// A loaded image's pixels are in memory already; the emulation would lock and unlock it through a
// 2D canvas, which it does not keep in GL mode.
int LockSurface(SDL_Surface* surface) {
    if (surface && surface->pixels) {
        return 0;
    }
    return SDL_LockSurface(surface);
}

// The emulation blits through 2D canvases, which it drops in GL mode, and leaves the target's pixels
// unread. Its surfaces are all four bytes a pixel: whole pictures are copied here, channel by
// channel through the two formats' masks.
int BlitSurface(SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* target, SDL_Rect* targetRect) {
    if (sourceRect || targetRect || !source || !target || !source->pixels || !target->pixels ||
        source->format->BytesPerPixel != 4 || target->format->BytesPerPixel != 4 || source->w != target->w ||
        source->h != target->h) {
        return SDL_UpperBlit(source, sourceRect, target, targetRect);
    }
    auto shift = [](Uint32 mask) { return mask ? __builtin_ctz(mask) : 0; };
    const SDL_PixelFormat& in = *source->format;
    const SDL_PixelFormat& out = *target->format;
    const Uint32 inMasks[4] = {in.Rmask, in.Gmask, in.Bmask, in.Amask};
    const Uint32 outMasks[4] = {out.Rmask, out.Gmask, out.Bmask, out.Amask};
    for (int y = 0; y < source->h; ++y) {
        const Uint32* from =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(source->pixels) + y * source->pitch);
        Uint32* to = reinterpret_cast<Uint32*>(static_cast<Uint8*>(target->pixels) + y * target->pitch);
        for (int x = 0; x < source->w; ++x) {
            Uint32 pixel = 0;
            for (int c = 0; c < 4; ++c) {
                const Uint32 value = inMasks[c] ? (from[x] & inMasks[c]) >> shift(inMasks[c]) : 255u;
                pixel |= (value << shift(outMasks[c])) & outMasks[c];
            }
            to[x] = pixel;
        }
    }
    return 0;
}

void UnlockSurface(SDL_Surface* surface) {
    if (surface && !surface->pixels) {
        SDL_UnlockSurface(surface);
    }
}

void (*const activeTexture)(GLenum) = glActiveTexture;
void (*const clientActiveTexture)(GLenum) = glClientActiveTexture;
void (*const bindBuffer)(GLenum, GLuint) = BindBuffer;
void (*const genBuffers)(GLsizei, GLuint*) = glGenBuffers;
void (*const deleteBuffers)(GLsizei, const GLuint*) = DeleteBuffers;
void (*const bufferData)(GLenum, GLsizeiptr, const void*, GLenum) = BufferData;
void (*const bufferSubData)(GLenum, GLintptr, GLsizeiptr, const void*) = BufferSubData;
GLint (*const getUniformLocation)(GLuint, const GLchar*) = GetUniformLocation;
void (*const uniform1i)(GLint, GLint) = Uniform1i;
void (*const uniform3f)(GLint, GLfloat, GLfloat, GLfloat) = Uniform3f;
void (*const uniform4f)(GLint, GLfloat, GLfloat, GLfloat, GLfloat) = Uniform4f;
void (*const compileShader)(GLuint) = glCompileShader;
void (*const attachShader)(GLuint, GLuint) = glAttachShader;
void (*const linkProgram)(GLuint) = LinkProgram;
GLhandleARB (*const createShaderObject)(GLenum) = CreateShaderObject;
GLhandleARB (*const createProgramObject)() = CreateProgramObject;
void (*const shaderSource)(GLhandleARB, GLsizei, const GLcharARB* const*, const GLint*) = ShaderSource;
void (*const getObjectParameteriv)(GLhandleARB, GLenum, GLint*) = GetObjectParameteriv;
void (*const getInfoLog)(GLhandleARB, GLsizei, GLsizei*, GLcharARB*) = GetInfoLog;
void (*const deleteObject)(GLhandleARB) = DeleteObject;
void (*const useProgramObject)(GLhandleARB) = UseProgramObject;

} // namespace Browser
