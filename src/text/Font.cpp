#include "text/Font.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "shaders/Shader.h"
#include "shaders/ShaderManager.h"

#include <SDL.h>
#include <algorithm>
#include <array>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

const float kCell = 0.0625f;
// The pen advance compiled into every glyph list; glyph quads are 16 pixels wide, so neighbours
// overlap by 4 pixels.
const double kAdvance = 12.0;
// Codes 32 and up map onto the image; a half of it holds 128 glyphs.
const int kFirstCode = 32;
const int kHalf = 128;
// A glyph quad has four corners of x, y, s, t.
const int kCorners = 4;
const int kCornerFloats = 4;
const int kQuadFloats = kCorners * kCornerFloats;
// The corners in list order: bottom-left, bottom-right, top-right, top-left (y grows downwards).
const float kCornerX[kCorners] = {0.0f, 16.0f, 16.0f, 0.0f};
const float kCornerY[kCorners] = {16.0f, 16.0f, 0.0f, 0.0f};

bool listPrinting = false;

} // namespace

CFont::CFont()
    : listBase(0), scaleX(1.0f), scaleY(1.0f), red(1.0f), green(1.0f), blue(1.0f), alpha(1.0f),
      shader(nullptr), text{}, savedSwitches{}, savedMatrixMode(0), savedViewport{}, savedBlendSrc(0),
      savedBlendDst(0), uniformsProgram(0), colorsLocation(-1), tposLocation(-1) {}

CFont::~CFont() {
    // The graphics core shuts SDL down before the font manager lets its fonts go.
    if (listBase != 0 && CGraphicsCore::ContextAlive()) {
        glDeleteLists(listBase, 256);
    }
}

bool CFont::Load(const char* file) {
    if (!glyphTexture.LoadTGA(file)) {
        // Nothing can be written without a font, so the program ends; started from the wrong folder
        // it would otherwise show a black screen and report success.
        std::vector<char> cwd(4096);
        std::fprintf(stderr, "Cannot load the font %s (working directory %s)\n", file ? file : "",
                     getcwd(cwd.data(), cwd.size()) ? cwd.data() : "unknown");
        SDL_Quit();
        std::exit(1);
    }
    // Loading a font again replaces its image: the lists of the first image go (its texture went
    // with the new load).
    if (listBase != 0) {
        glDeleteLists(listBase, 256);
    }
    listBase = glGenLists(256);
    glBindTexture(GL_TEXTURE_2D, glyphTexture.texID);
    cellTable.assign(256 * kCorners * 2, 0.0f);
    for (int glyph = 0; glyph < 256; ++glyph) {
        const float s = static_cast<float>(glyph % 16) * kCell;
        const float t = 1.0f - static_cast<float>(glyph / 16) * kCell;
        // The top edge samples just inside the cell so the row above never bleeds in.
        const float corners[kCorners * 2] = {s,         t - kCell,  s + kCell, t - kCell,
                                             s + kCell, t - 0.001f, s,         t - 0.001f};
        std::copy(corners, corners + kCorners * 2, cellTable.begin() + glyph * kCorners * 2);
        glNewList(listBase + static_cast<GLuint>(glyph), GL_COMPILE);
        glBegin(GL_QUADS);
        for (int c = 0; c < kCorners; ++c) {
            glTexCoord2f(corners[2 * c], corners[2 * c + 1]);
            glVertex2f(kCornerX[c], kCornerY[c]);
        }
        glEnd();
        glTranslated(kAdvance, 0, 0);
        glEndList();
    }
    quads.assign(sizeof text * kQuadFloats, 0.0f);
    shader = gShaderManager ? gShaderManager->GetShader(0) : nullptr;
    uniformsProgram = 0;
    return true;
}

void CFont::SetListPrinting(bool on) {
    listPrinting = on;
}

void CFont::SetScale(float sx, float sy) {
    scaleX = sx;
    scaleY = sy;
}

void CFont::SetColor(float r, float g, float b, float a) {
    red = r;
    green = g;
    blue = b;
    alpha = a;
}

void CFont::SetColorRBGA(float r, float b, float g, float a) {
    SetColor(r, g, b, a);
}

void CFont::DrawFormatted(const Pass& pass, const char* format, va_list args) {
    if (!format) {
        return;
    }
    // A longer message is cut to the 151 characters the buffer holds.
    if (std::vsnprintf(text, sizeof text, format, args) < 0) {
        text[0] = '\0';
    }
    Draw(pass);
}

bool CFont::Print(int x, int y, int set, const char* format, ...) {
    va_list args;
    va_start(args, format);
    DrawFormatted({double(x), double(y), set, {red, green, blue, alpha}, scaleX, scaleY, false}, format,
                  args);
    va_end(args);
    return true;
}

bool CFont::PrintColor(int x, int y, int set, float r, float g, float b, const char* format, ...) {
    va_list args;
    va_start(args, format);
    DrawFormatted({double(x), double(y), set, {r, g, b, 1.0f}, scaleX, scaleY, false}, format, args);
    va_end(args);
    return true;
}

bool CFont::PrintAt(float x, float y, int set, const char* format, ...) {
    va_list args;
    va_start(args, format);
    DrawFormatted({double(x), double(y), set, {red, green, blue, alpha}, scaleX, scaleY, true}, format, args);
    va_end(args);
    return true;
}

bool CFont::PrintEx(int x, int y, int set, float r, float g, float b, float a, float sx, float sy,
                    const char* format, ...) {
    va_list args;
    va_start(args, format);
    DrawFormatted({double(x), double(y), set, {r, g, b, a}, sx, sy, false}, format, args);
    va_end(args);
    return true;
}

void CFont::Draw(const Pass& pass) {
    if (listBase == 0) {
        return;
    }
    const int set = pass.set < 0 ? 0 : (pass.set > 3 ? 3 : pass.set);
    const int half = set >= 2 ? set - 2 : set;
    // Characters without a glyph of this font's half (control codes; above 159 in the second half,
    // whose glyphs end at 255) print as spaces rather than calling lists the font does not own.
    char glyphs[sizeof text];
    const int length = static_cast<int>(std::strlen(text));
    const int lastCode = kFirstCode + 256 - kHalf * half - 1;
    for (int i = 0; i < length; ++i) {
        const int code = static_cast<unsigned char>(text[i]);
        glyphs[i] = code < kFirstCode || code > lastCode ? ' ' : text[i];
    }

    SaveState();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, savedViewport[2], savedViewport[3], 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, glyphTexture.texID);
    DrawPass(pass, false, half, glyphs, length);
    if (set >= 2) {
        DrawPass(pass, true, half, glyphs, length);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    RestoreState();
}

void CFont::DrawPass(const Pass& pass, bool boldPass, int half, const char* glyphs, int length) {
    const double x = boldPass ? pass.x + 1 : pass.x;
    glLoadIdentity();
    glTranslated(x, pass.y, 0);
    glScalef(pass.sx, pass.sy, 1);
    if (glActiveTextureARB) {
        glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    // Without the driver's shader support the glyphs are drawn untinted by the fixed pipeline.
    const bool tinted = shader && CShader::Supported();
    if (tinted) {
        shader->Enable();
        FindUniforms();
        if (pass.sendPosition && boldPass) {
            glUniform3fARB(tposLocation, static_cast<float>(x), static_cast<float>(pass.y), 0.0f);
        }
        glUniform4fARB(colorsLocation, pass.color[0], pass.color[1], pass.color[2], pass.color[3]);
    }
    if (listPrinting) {
        glListBase(listBase - kFirstCode + static_cast<GLuint>(kHalf * half));
        glCallLists(length, GL_UNSIGNED_BYTE, glyphs);
    } else {
        DrawQuads(half, glyphs, length);
    }
    if (tinted) {
        shader->Disable();
    }
}

void CFont::FindUniforms() {
    const GLhandleARB program = shader->GetProgram();
    if (program != uniformsProgram) {
        colorsLocation = glGetUniformLocationARB(program, "colors");
        tposLocation = glGetUniformLocationARB(program, "tpos");
        uniformsProgram = program;
    }
}

void CFont::DrawQuads(int half, const char* glyphs, int length) {
    if (length <= 0) {
        return;
    }
    // The pen position the lists reach by translating 12 pixels after each glyph is written into
    // the corners instead, so the transform is the same for the whole string.
    float* out = quads.data();
    for (int i = 0; i < length; ++i) {
        const int glyph = static_cast<unsigned char>(glyphs[i]) - kFirstCode + kHalf * half;
        const float* cell = &cellTable[static_cast<size_t>(glyph) * kCorners * 2];
        const float pen = static_cast<float>(kAdvance) * static_cast<float>(i);
        for (int c = 0; c < kCorners; ++c) {
            *out++ = pen + kCornerX[c];
            *out++ = kCornerY[c];
            *out++ = cell[2 * c];
            *out++ = cell[2 * c + 1];
        }
    }
    const GLsizei stride = kCornerFloats * sizeof(float);
    // The caller's arrays and buffer bindings come back as they were.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    if (glBindBuffer) {
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, stride, quads.data());
    if (glClientActiveTextureARB) {
        glClientActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, quads.data() + 2);
    glDrawArrays(GL_QUADS, 0, kCorners * length);
    glPopClientAttrib();
}

namespace {

// What text drawing needs of each switch it touches: no depth test or lighting; textures, blending
// and the scissor box on.
const struct {
    GLenum cap;
    bool on;
} kTextSwitches[] = {{GL_DEPTH_TEST, false},
                     {GL_TEXTURE_2D, true},
                     {GL_BLEND, true},
                     {GL_SCISSOR_TEST, true},
                     {GL_LIGHTING, false}};

void Switch(GLenum cap, bool on) {
    on ? glEnable(cap) : glDisable(cap);
}

} // namespace

void CFont::SaveState() {
    glGetIntegerv(GL_MATRIX_MODE, &savedMatrixMode);
    glGetIntegerv(GL_VIEWPORT, savedViewport);
    glGetIntegerv(GL_BLEND_SRC, &savedBlendSrc);
    glGetIntegerv(GL_BLEND_DST, &savedBlendDst);
    static_assert(std::tuple_size<decltype(savedSwitches)>::value == std::size(kTextSwitches),
                  "one saved state for each switch");
    // Only the switches that differ are thrown, and thrown back after.
    for (size_t i = 0; i < savedSwitches.size(); ++i) {
        savedSwitches[i] = glIsEnabled(kTextSwitches[i].cap) != GL_FALSE;
        if (savedSwitches[i] != kTextSwitches[i].on) {
            Switch(kTextSwitches[i].cap, kTextSwitches[i].on);
        }
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void CFont::RestoreState() {
    for (size_t i = 0; i < savedSwitches.size(); ++i) {
        if (savedSwitches[i] != kTextSwitches[i].on) {
            Switch(kTextSwitches[i].cap, savedSwitches[i]);
        }
    }
    glBlendFunc(static_cast<GLenum>(savedBlendSrc), static_cast<GLenum>(savedBlendDst));
    glMatrixMode(static_cast<GLenum>(savedMatrixMode));
}
