#include "graphics/Utils.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"

#include <SDL.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

// One set of timing state for the whole process, shared by every CUtils. The times are the clock's
// own millisecond ticks: seconds in a float lose whole milliseconds after a few hours, and only the
// unsigned difference of two ticks stays right across the wrap of the 32-bit counter (49.7 days).
uint32_t lastFrameTick = 0;
uint32_t lastReportTick = 0;
float framesSinceReport = 0.0f;

uint32_t (*tickSource)() = nullptr;

// A null file name is printed as an empty one: a null C string sent to a stream would switch the
// stream off for every later line of the log.
const char* NameOf(const char* file) {
    return file ? file : "";
}

uint32_t Ticks() {
    return tickSource ? tickSource() : SDL_GetTicks();
}

// Why a surface SDL made from a BMP file cannot be converted; empty when it can. SDL keeps the file's
// 16-bit pixel depth in 8-bit fields: a depth such as 4096 comes back as a surface of 0 bytes per
// pixel without pixels, 0xFA18 as 24 bits of 67 bytes. A top-down file of height -2^31 comes back
// with that height negated into itself. And the row pitch is kept in 16 bits, so a longer row would
// be read past its end.
std::string UnusableSurface(const SDL_Surface* surface) {
    const SDL_PixelFormat* format = surface->format;
    if (!surface->pixels || format->BytesPerPixel < 1 || format->BytesPerPixel > 4 ||
        (format->BitsPerPixel + 7) / 8 != format->BytesPerPixel) {
        return "BMP pixel depth not supported";
    }
    if (surface->w <= 0 || surface->h <= 0) {
        char text[64];
        std::snprintf(text, sizeof text, "BMP file with bad dimensions (%dx%d)", surface->w, surface->h);
        return text;
    }
    if (surface->pitch < static_cast<int64_t>(surface->w) * format->BytesPerPixel) {
        return "BMP rows too long";
    }
    return std::string();
}

} // namespace

CUtils::CUtils() : fps(0), frameTime(0.0f), fpsText{} {}

CUtils::~CUtils() = default;

void CUtils::ResetTiming() {
    lastFrameTick = 0;
    lastReportTick = 0;
    framesSinceReport = 0.0f;
}

void CUtils::SetTickSource(uint32_t (*source)()) {
    tickSource = source;
}

void CUtils::UpdateFPS() {
    const uint32_t now = Ticks();
    frameTime = static_cast<float>(now - lastFrameTick) * 0.001f;
    lastFrameTick = now;
    framesSinceReport = framesSinceReport + 1.0f;
    // More than one second since the last report.
    if (now - lastReportTick > 1000u) {
        lastReportTick = now;
        fps = static_cast<int32_t>(framesSinceReport);
        std::snprintf(fpsText, sizeof fpsText, " Current FPS: %d", fps);
        // The stored caption stays as it is, so the suffix never accumulates.
        std::string text = gGraphicsCore ? gGraphicsCore->GetCaption() : std::string();
        text += fpsText;
        SDL_WM_SetCaption(text.c_str(), nullptr);
        framesSinceReport = 0.0f;
    }
}

float CUtils::GetFrameTime() const {
    return frameTime;
}

int CUtils::GetFPS() const {
    return fps;
}

const char* CUtils::GetFPSText() const {
    return fpsText;
}

void CUtils::SwapBytes(unsigned char* a, unsigned char* b) {
    unsigned char t = *a;
    *a = *b;
    *b = t;
}

BMPImage* CUtils::LoadBMP(const char* file) {
    return ConvertBMP(SDL_RWFromFile(file, "rb"), NameOf(file));
}

BMPImage* CUtils::LoadBMPFromMemory(const void* bytes, size_t size, const char* name) {
    // SDL's memory streams count in int; a larger buffer is refused rather than silently cut.
    SDL_RWops* stream =
        size <= static_cast<size_t>(INT_MAX) ? SDL_RWFromConstMem(bytes, static_cast<int>(size)) : nullptr;
    if (!stream) {
        SDL_SetError("BMP data too large");
    }
    return ConvertBMP(stream, NameOf(name));
}

BMPImage* CUtils::ConvertBMP(SDL_RWops* stream, const char* file) {
    SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
    const std::string unusable = surface ? UnusableSurface(surface) : std::string();
    if (!unusable.empty()) {
        SDL_FreeSurface(surface);
        surface = nullptr;
        SDL_SetError("%s", unusable.c_str());
    }
    if (!surface) {
        std::cerr << " Failed loading " << file << " : " << SDL_GetError() << std::endl;
        return nullptr;
    }
    const int w = surface->w;
    const int h = surface->h;
    const int d = surface->format->BytesPerPixel;
    // Rows are addressed through the surface pitch: SDL pads BMP rows to four bytes, and reading them
    // as tightly packed rows would skew every image whose row length is not a multiple of four.
    const int pitch = surface->pitch;
    SDL_LockSurface(surface);
    unsigned char* data = static_cast<unsigned char*>(surface->pixels);
    for (int i = 0; i < h / 2; ++i) {
        unsigned char* top = data + static_cast<size_t>(i) * pitch;
        unsigned char* bottom = data + static_cast<size_t>(h - 1 - i) * pitch;
        for (int b = 0; b < w * d; ++b) {
            SwapBytes(top + b, bottom + b);
        }
    }

    BMPImage* image = static_cast<BMPImage*>(std::malloc(sizeof(BMPImage)));
    unsigned char* pixels = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(w) * h * 3 + 1));
    if (!image || !pixels) {
        std::free(image);
        std::free(pixels);
        SDL_UnlockSurface(surface);
        SDL_FreeSurface(surface);
        std::cerr << " Failed loading " << file << " : out of memory" << std::endl;
        return nullptr;
    }
    image->channels = 3;
    image->width = w;
    image->height = h;
    image->pixels = pixels;
    for (int row = 0; row < h; ++row) {
        const unsigned char* src = data + static_cast<size_t>(row) * pitch;
        for (int col = 0; col < w; ++col) {
            uint32_t value = 0;
            for (int k = 0; k < d; ++k) {
                value |= static_cast<uint32_t>(src[col * d + k]) << (8 * k);
            }
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(value, surface->format, &r, &g, &b);
            size_t p = (static_cast<size_t>(row) * w + col) * 3;
            pixels[p] = r;
            pixels[p + 1] = g;
            pixels[p + 2] = b;
        }
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return image;
}

void CUtils::FreeBMP(BMPImage* image) {
    if (image) {
        std::free(image->pixels);
        std::free(image);
    }
}

unsigned int CUtils::LoadBMPTexture(const char* file) {
    file = NameOf(file);
    std::cout << "Loading Texture: " << file << std::endl;
    BMPImage* image = LoadBMP(file);
    if (!image) {
        std::cout << "Failed to load the image: " << file << ", Error: " << SDL_GetError() << std::endl;
        return 0;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    gluBuild2DMipmaps(GL_TEXTURE_2D, image->channels, image->width, image->height,
                      image->channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Nothing reads the record after the upload.
    FreeBMP(image);
    return texture;
}

void CUtils::DrawGrid(float x, float y, float z) {
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(x, y, z);
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_LINES);
    for (int i = -30; i <= 30; ++i) {
        float f = static_cast<float>(i);
        glVertex3f(f, 0.0f, -30.0f);
        glVertex3f(f, 0.0f, 30.0f);
        glVertex3f(30.0f, 0.0f, f);
        glVertex3f(-30.0f, 0.0f, f);
    }
    glEnd();
    glPopMatrix();
}

void CUtils::DrawCube(float x, float y, float z) {
    glDisable(GL_TEXTURE_2D);
    glTranslatef(x, y, z);
    glBegin(GL_QUADS);
    glColor3f(0.0f, 1.0f, 0.0f); // top
    glVertex3f(1, 1, -1);
    glVertex3f(-1, 1, -1);
    glVertex3f(-1, 1, 1);
    glVertex3f(1, 1, 1);
    glColor3f(1.0f, 0.5f, 0.0f); // bottom
    glVertex3f(1, -1, 1);
    glVertex3f(-1, -1, 1);
    glVertex3f(-1, -1, -1);
    glVertex3f(1, -1, -1);
    glColor3f(1.0f, 0.0f, 0.0f); // front
    glVertex3f(1, 1, 1);
    glVertex3f(-1, 1, 1);
    glVertex3f(-1, -1, 1);
    glVertex3f(1, -1, 1);
    glColor3f(1.0f, 1.0f, 0.0f); // back
    glVertex3f(1, -1, -1);
    glVertex3f(-1, -1, -1);
    glVertex3f(-1, 1, -1);
    glVertex3f(1, 1, -1);
    glColor3f(0.0f, 0.0f, 1.0f); // left
    glVertex3f(-1, 1, 1);
    glVertex3f(-1, 1, -1);
    glVertex3f(-1, -1, -1);
    glVertex3f(-1, -1, 1);
    glColor3f(1.0f, 0.0f, 1.0f); // right
    glVertex3f(1, 1, -1);
    glVertex3f(1, 1, 1);
    glVertex3f(1, -1, 1);
    glVertex3f(1, -1, -1);
    glEnd();
    glTranslatef(-x, -y, -z);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void CUtils::DrawQuad(float x, float y, float z) {
    glDisable(GL_TEXTURE_2D);
    glTranslatef(x, y, z);
    glBegin(GL_QUADS);
    glColor3f(0.3f, 1.0f, 0.2f);
    glVertex3f(1, 1, 1);
    glVertex3f(-1, 1, 1);
    glVertex3f(-1, -1, 1);
    glVertex3f(1, -1, 1);
    glEnd();
    glTranslatef(-x, -y, -z);
}

void CUtils::DrawAxes() {
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(10, 0, 0);
    glColor3f(0, 1, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 10, 0);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, 10);
    glEnd();
    glPopMatrix();
}
