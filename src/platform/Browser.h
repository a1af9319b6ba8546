// What the browser build puts in place of the desktop's OpenGL, GLU and SDL 1.2 where Emscripten's
// emulation (OpenGL 1.x over WebGL 1, SDL 1.2 over the page) lacks a call or gets one wrong. The web
// build includes this header before every source file; native builds never see it.
//
// Supplied here: the ARB shader-object names (mapped to the core calls they became), GLSL texts made
// acceptable to WebGL (the fixed-function light built-ins become uniforms the layer keeps), gluLookAt and gluBuild2DMipmaps, the proxy texture size check, the client
// attribute stack, wireframe drawn as lines, immediate mode with every attribute given per vertex,
// float client arrays in memory or in buffer objects (whose bytes the layer keeps: indexed triangles
// go to the emulation as one interleaved buffer with 16-bit indices, the one form it draws right),
// the alpha test (in alpha-tested twins of the programs, linked when first needed), pictures decoded
// with straight alpha by the engine's own decoder, the SDL 1.2 names the emulation leaves out, and the mixer's device state and its refusal of sounds
// the browser cannot decode.
// Missing: display lists (glGenLists gives 0; the font draws its strings from arrays instead),
// glReadBuffer (WebGL reads the frame being drawn). Fixed-function lighting itself: light 0, the
// front material and the light model's ambient colour reach shaders only; so does the alpha test.
#pragma once

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glew.h>
#include <GL/glu.h>
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <string>

namespace Browser {

GLhandleARB CreateShaderObject(GLenum type);
GLhandleARB CreateProgramObject();
void ShaderSource(GLhandleARB shader, GLsizei count, const GLcharARB* const* texts, const GLint* lengths);
void GetObjectParameteriv(GLhandleARB object, GLenum name, GLint* value);
void GetInfoLog(GLhandleARB object, GLsizei size, GLsizei* length, GLcharARB* log);
void DeleteObject(GLhandleARB object);
// The programs the engine links and uses, each drawing through its alpha-tested twin while the alpha
// test rejects anything; the uniforms the engine sets reach both. The texts given to each shader are
// kept for the twin.
void RememberShaderText(GLuint shader, const std::string& text);
void LinkProgram(GLuint program);
void UseProgramObject(GLhandleARB program);
void AlphaTestChanged();
GLint GetUniformLocation(GLuint program, const GLchar* name);
void Uniform1i(GLint location, GLint value);
void Uniform3f(GLint location, GLfloat x, GLfloat y, GLfloat z);
void Uniform4f(GLint location, GLfloat x, GLfloat y, GLfloat z, GLfloat w);
void DeleteProgramObject(GLuint program);
void DeleteShaderObject(GLuint shader);
// GLSL's fixed-function light built-ins (gl_LightSource[0], gl_FrontMaterial, gl_FrontLightProduct[0],
// gl_LightModel) as uniforms the layer sets from the light state below on the program bound; a program
// being deleted is forgotten.
std::string LightBuiltInsAsUniforms(std::string text);
void LightsFor(GLuint program);
void ForgetProgram(GLuint program);
void Lightfv(GLenum light, GLenum name, const GLfloat* values);
void Lightf(GLenum light, GLenum name, GLfloat value);
void Materialfv(GLenum face, GLenum name, const GLfloat* values);
void Materialf(GLenum face, GLenum name, GLfloat value);
void LightModelfv(GLenum name, const GLfloat* values);
// The alpha test, kept by the layer and carried out by the twins' fragment shaders (wrapped to discard
// what the test rejects); the program bound next, or none, and a program being deleted.
std::string AlphaTestInShader(std::string text);
bool AlphaTestPassesAll();
void AlphaTestFor(GLuint program);
void ForgetAlphaTest(GLuint program);
void AlphaFunc(GLenum function, GLclampf reference);
void Enable(GLenum capability);
void Disable(GLenum capability);
GLboolean IsEnabled(GLenum capability);
void GetIntegerv(GLenum name, GLint* value);
void GetFloatv(GLenum name, GLfloat* value);

void LookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble targetX, GLdouble targetY, GLdouble targetZ,
            GLdouble upX, GLdouble upY, GLdouble upZ);
GLint Build2DMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height, GLenum format,
                     GLenum type, const void* pixels);
void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const void* pixels);
void GetTexLevelParameteriv(GLenum target, GLint level, GLenum name, GLint* value);
void PushClientAttrib(GLbitfield mask);
void PopClientAttrib();
void PolygonMode(GLenum face, GLenum mode);

void Begin(GLenum mode);
void End();
void Vertex2f(GLfloat x, GLfloat y);
void Vertex3f(GLfloat x, GLfloat y, GLfloat z);
void TexCoord2f(GLfloat s, GLfloat t);
void Normal3f(GLfloat x, GLfloat y, GLfloat z);
void Color3f(GLfloat r, GLfloat g, GLfloat b);
void Color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);

void EnableClientState(GLenum array);
void DisableClientState(GLenum array);
void VertexPointer(GLint size, GLenum type, GLsizei stride, const void* data);
void TexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* data);
void NormalPointer(GLenum type, GLsizei stride, const void* data);
void DrawArrays(GLenum mode, GLint first, GLsizei count);
void DrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);

GLuint GenLists(GLsizei range);
void NoList(GLuint list);
void NoListCall(GLsizei count, GLenum type, const void* lists);
void NoListRange(GLuint list, GLsizei range);
void NoListStart(GLuint list, GLenum mode);
void NoListEnd();
void NoReadBuffer(GLenum mode);

// Pictures decoded by the engine's own decoder (straight alpha, as on the desktop) from the memory
// streams the layer opened.
void RememberStream(SDL_RWops* stream, const void* bytes, int size);
SDL_Surface* LoadImage(SDL_RWops* stream, int freeStream, const char* type);

int LockSurface(SDL_Surface* surface);
int BlitSurface(SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* target, SDL_Rect* targetRect);
void UnlockSurface(SDL_Surface* surface);
SDL_RWops* RWFromConstMem(const void* bytes, int size);

// The mixer: the device's state as the desktop mixer reports it, and loaders that refuse, with a
// reason MixerError gives, what the browser cannot decode.
int OpenAudio(int frequency, Uint16 format, int channels, int chunkSize);
void CloseAudio();
int QuerySpec(int* frequency, Uint16* format, int* channels);
Mix_Chunk* LoadWAV_RW(SDL_RWops* stream, int freeStream);
Mix_Music* LoadMUSType_RW(SDL_RWops* stream, Mix_MusicType type, int freeStream);
const char* MixerError();

// The entry points a program tests for before calling, as GLEW would offer them.
extern void (*const activeTexture)(GLenum);
extern void (*const clientActiveTexture)(GLenum);
void BindBuffer(GLenum target, GLuint buffer);
void DeleteBuffers(GLsizei count, const GLuint* names);
void BufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
void BufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const void* data);
extern void (*const bindBuffer)(GLenum, GLuint);
extern void (*const genBuffers)(GLsizei, GLuint*);
extern void (*const deleteBuffers)(GLsizei, const GLuint*);
extern void (*const bufferData)(GLenum, GLsizeiptr, const void*, GLenum);
extern void (*const bufferSubData)(GLenum, GLintptr, GLsizeiptr, const void*);
extern GLint (*const getUniformLocation)(GLuint, const GLchar*);
extern void (*const uniform1i)(GLint, GLint);
extern void (*const uniform3f)(GLint, GLfloat, GLfloat, GLfloat);
extern void (*const uniform4f)(GLint, GLfloat, GLfloat, GLfloat, GLfloat);
extern void (*const compileShader)(GLuint);
extern void (*const attachShader)(GLuint, GLuint);
extern void (*const linkProgram)(GLuint);
extern GLhandleARB (*const createShaderObject)(GLenum);
extern GLhandleARB (*const createProgramObject)();
extern void (*const shaderSource)(GLhandleARB, GLsizei, const GLcharARB* const*, const GLint*);
extern void (*const getObjectParameteriv)(GLhandleARB, GLenum, GLint*);
extern void (*const getInfoLog)(GLhandleARB, GLsizei, GLsizei*, GLcharARB*);
extern void (*const deleteObject)(GLhandleARB);
extern void (*const useProgramObject)(GLhandleARB);

} // namespace Browser

// Browser's own sources are built with KORVEL_BROWSER_CALLS_REAL_GL and reach the emulation's own calls.
#ifndef KORVEL_BROWSER_CALLS_REAL_GL
#define glActiveTextureARB Browser::activeTexture
#define glClientActiveTextureARB Browser::clientActiveTexture
#define glBindBuffer Browser::bindBuffer
#define glGenBuffers Browser::genBuffers
#define glDeleteBuffers Browser::deleteBuffers
#define glBufferData Browser::bufferData
#define glBufferSubData Browser::bufferSubData
#define glCreateShaderObjectARB Browser::createShaderObject
#define glCreateProgramObjectARB Browser::createProgramObject
#define glShaderSourceARB Browser::shaderSource
#define glCompileShaderARB Browser::compileShader
#define glGetObjectParameterivARB Browser::getObjectParameteriv
#define glGetInfoLogARB Browser::getInfoLog
#define glAttachObjectARB Browser::attachShader
#define glLinkProgramARB Browser::linkProgram
#define glDeleteObjectARB Browser::deleteObject
#define glUseProgramObjectARB Browser::useProgramObject
#define glGetUniformLocationARB Browser::getUniformLocation
#define glUniform1iARB Browser::uniform1i
#define glUniform3fARB Browser::uniform3f
#define glUniform4fARB Browser::uniform4f
#define glGetUniformLocation Browser::getUniformLocation
#define glUniform1i Browser::uniform1i
#define glUniform3f Browser::uniform3f
#define glUniform4f Browser::uniform4f

#define glAlphaFunc Browser::AlphaFunc
#define glEnable Browser::Enable
#define glDisable Browser::Disable
#define glIsEnabled Browser::IsEnabled
#define glGetIntegerv Browser::GetIntegerv
#define glGetFloatv Browser::GetFloatv

#define glLightfv Browser::Lightfv
#define glLightf Browser::Lightf
#define glMaterialfv Browser::Materialfv
#define glMaterialf Browser::Materialf
#define glLightModelfv Browser::LightModelfv

#define gluLookAt Browser::LookAt
#define gluBuild2DMipmaps Browser::Build2DMipmaps
#define glTexImage2D Browser::TexImage2D
#define glGetTexLevelParameteriv Browser::GetTexLevelParameteriv
#define glPushClientAttrib Browser::PushClientAttrib
#define glPopClientAttrib Browser::PopClientAttrib
#define glPolygonMode Browser::PolygonMode
#define glReadBuffer Browser::NoReadBuffer

#define glBegin Browser::Begin
#define glEnd Browser::End
#define glVertex2f Browser::Vertex2f
#define glVertex3f Browser::Vertex3f
#define glTexCoord2f Browser::TexCoord2f
#define glNormal3f Browser::Normal3f
#define glColor3f Browser::Color3f
#define glColor4f Browser::Color4f

#define glEnableClientState Browser::EnableClientState
#define glDisableClientState Browser::DisableClientState
#define glVertexPointer Browser::VertexPointer
#define glTexCoordPointer Browser::TexCoordPointer
#define glNormalPointer Browser::NormalPointer
#define glDrawArrays Browser::DrawArrays
#define glDrawElements Browser::DrawElements

#define glGenLists Browser::GenLists
#define glDeleteLists Browser::NoListRange
#define glNewList Browser::NoListStart
#define glEndList Browser::NoListEnd
#define glCallList Browser::NoList
#define glCallLists Browser::NoListCall
#define glListBase Browser::NoList

// SDL 1.2 names the emulation does not declare. There is no event thread to ask for, and no key table
// indexed by key symbol (the emulation's symbols are too wide to index one): callers get none.
#define SDL_INIT_EVENTTHREAD 0
#define SDL_GetKeyState(numkeys) (static_cast<void>(numkeys), static_cast<Uint8*>(nullptr))
#define SDL_LockSurface Browser::LockSurface
#undef SDL_BlitSurface
#define SDL_BlitSurface Browser::BlitSurface
#define SDL_UnlockSurface Browser::UnlockSurface
#define SDL_RWFromConstMem Browser::RWFromConstMem
#define SDL_RWFromMem Browser::RWFromConstMem

#define Mix_OpenAudio Browser::OpenAudio
#define Mix_CloseAudio Browser::CloseAudio
#define Mix_QuerySpec Browser::QuerySpec
#define Mix_LoadWAV_RW Browser::LoadWAV_RW
#define Mix_LoadMUSType_RW Browser::LoadMUSType_RW
#undef Mix_GetError
#define Mix_GetError Browser::MixerError

#define IMG_LoadTyped_RW Browser::LoadImage
// WebGL 1 has neither fences nor mapped buffers, and models never take the path that streams through
// them here; the call that path makes to free a fence is never reached.
#define glDeleteSync(sync) static_cast<void>(sync)
#endif
