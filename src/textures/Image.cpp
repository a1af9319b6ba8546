#include "textures/Image.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "shaders/Shader.h"
#include "shaders/ShaderManager.h"
#include "textures/PngCheck.h"
#include "textures/TextureManager.h"

#include <SDL.h>
#include <iostream>
#include <vector>

namespace {

// Channel masks of a surface whose bytes lie in R, G, B(, A) order in memory.
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
const Uint32 RedMask = 0x000000FF, GreenMask = 0x0000FF00, BlueMask = 0x00FF0000, AlphaMask = 0xFF000000;
const Uint32 RedMask24 = 0x0000FF, BlueMask24 = 0xFF0000;
#else
const Uint32 RedMask = 0xFF000000, GreenMask = 0x00FF0000, BlueMask = 0x0000FF00, AlphaMask = 0x000000FF;
const Uint32 RedMask24 = 0xFF0000, BlueMask24 = 0x0000FF;
#endif

// The upload reads rows padded to 4 bytes, 4 bytes per pixel in R, G, B, A order or 3 in R, G, B.
bool HasUploadLayout(const SDL_Surface* surface) {
    const SDL_PixelFormat* f = surface->format;
    int bytes = f->BytesPerPixel;
    bool rgba = bytes == 4 && f->Rmask == RedMask && f->Gmask == GreenMask && f->Bmask == BlueMask &&
                f->Amask == AlphaMask;
    bool rgb = bytes == 3 && f->Rmask == RedMask24 && f->Gmask == 0x00FF00 && f->Bmask == BlueMask24 &&
               f->Amask == 0;
    return (rgba || rgb) && surface->pitch == ((surface->w * bytes + 3) & ~3);
}

// Surfaces in any other layout (palette, grey, BGR, 16-bit, odd pitch) would be read past their
// pixels by the upload, so they are copied into the layout it expects. Palette transparency becomes
// alpha. Returns the surface itself when it already fits, null when the copy cannot be made.
SDL_Surface* ToUploadLayout(SDL_Surface* surface) {
    if (HasUploadLayout(surface)) {
        return surface;
    }
    bool withAlpha = surface->format->Amask != 0 || (surface->flags & SDL_SRCCOLORKEY) != 0;
    SDL_Surface* copy = withAlpha ? SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h, 32, RedMask,
                                                         GreenMask, BlueMask, AlphaMask)
                                  : SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h, 24, RedMask24,
                                                         0x00FF00, BlueMask24, 0);
    if (!copy) {
        return nullptr;
    }
    // A plain copy of every channel; keyed pixels are skipped and stay fully transparent.
    SDL_SetAlpha(surface, 0, SDL_ALPHA_OPAQUE);
    if (SDL_BlitSurface(surface, nullptr, copy, nullptr) != 0) {
        SDL_FreeSurface(copy);
        return nullptr;
    }
    return copy;
}

const TexRect WholeImage = {1.0f, 1.0f, 0.0f, 0.0f};

} // namespace

CImage::CImage() = default;

CImage::CImage(const std::string& path) {
    Load(path);
    alpha = 1.0f;
}

CImage::CImage(const std::string& path, float alpha) {
    Load(path);
    this->alpha = alpha;
}

CImage::~CImage() {
    Release();
    name.clear();
    // The texture manager must never keep a pointer to a destroyed image.
    if (gTextureManager) {
        gTextureManager->Forget(this);
    }
}

void CImage::Release() {}

bool CImage::Load(const std::string& path) {
    std::cout << "Loading Texture: " << path << std::endl;
    SDL_Surface* loaded = ReadImageFile(path);
    SDL_Surface* surface = loaded ? ToUploadLayout(loaded) : nullptr;
    if (surface != loaded) {
        SDL_FreeSurface(loaded);
    }
    if (!surface) {
        std::cout << "Failed to load the image: " << path << ", Error: " << SDL_GetError() << std::endl;
        return false;
    }
    name = path;
    CreateTexture(surface);
    shader = gShaderManager ? gShaderManager->GetShader(0) : nullptr;
    return true;
}

void CImage::CreateTexture(SDL_Surface* surface) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glGenTextures(1, &texID);
    glBindTexture(GL_TEXTURE_2D, texID);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_REPEAT));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_REPEAT));
    // Mipmaps are built but minification stays linear.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    width = static_cast<float>(surface->w);
    height = static_cast<float>(surface->h);
    GLenum format = surface->format->Amask != 0 ? GL_RGBA : GL_RGB;
    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), surface->w, surface->h, format,
                      GL_UNSIGNED_BYTE, surface->pixels);
    SDL_FreeSurface(surface);
    if (gTextureManager) {
        gTextureManager->Add(this);
    }
}

void CImage::Draw(float x, float y, float scale, float angle, float r, float g, float b, float a) {
    DrawQuad(x, y, WholeImage, false, scale, angle, r, g, b, a);
}

void CImage::Draw(float scale, float angle, float r, float g, float b, float a) {
    DrawQuad(x, y, WholeImage, false, scale, angle, r, g, b, a);
}

void CImage::Draw(float x, float y, float scale, float angle, float r, float g, float b) {
    DrawQuad(x, y, WholeImage, false, scale, angle, r, g, b, alpha);
}

void CImage::DrawRegion(float x, float y, TexRect rect, float scale, float angle, float r, float g, float b,
                        float a) {
    DrawQuad(x, y, rect, true, scale, angle, r, g, b, a);
}

void CImage::DrawQuad(float x, float y, const TexRect& rect, bool region, float scale, float angle, float r,
                      float g, float b, float a) {
    // An image whose file failed to load has no texture and nothing to show.
    if (texID == 0) {
        return;
    }
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, texID);
    glTranslatef(x, y, 0.0f);
    if (angle != 0.0f) {
        float cx = (rect.right - rect.left) * 0.5f * width;
        float cy = (rect.top - rect.bottom) * 0.5f * height;
        glTranslatef(cx, cy, 0.0f);
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        glTranslatef(-cx, -cy, 0.0f);
    }
    if (scale != 1.0f) {
        glScalef(scale, scale, 0.0f);
    }
    if (glActiveTextureARB) {
        glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    if (shader && CShader::Supported()) {
        shader->Enable();
        if (colorsProgram != shader->GetProgram()) {
            colorsProgram = shader->GetProgram();
            colorsLocation = glGetUniformLocationARB(colorsProgram, "colors");
        }
        glUniform4fARB(colorsLocation, r, g, b, a);
    } else {
        // Without program 0 (its files failed to load, or the driver has no shader support) the fixed
        // pipeline tints the texture instead.
        glColor4f(r, g, b, a);
    }
    glBegin(GL_QUADS);
    if (region) {
        float dw = (rect.right - rect.left) * width;
        float dh = (rect.top - rect.bottom) * height;
        glTexCoord2f(rect.left, 1.0f - rect.top);
        glVertex2f(0.0f, 0.0f);
        glTexCoord2f(rect.right, 1.0f - rect.top);
        glVertex2f(dw, 0.0f);
        glTexCoord2f(rect.right, 1.0f - rect.bottom);
        glVertex2f(dw, dh);
        glTexCoord2f(rect.left, 1.0f - rect.bottom);
        glVertex2f(0.0f, dh);
    } else {
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(0.0f, height);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(width, height);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(width, 0.0f);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(0.0f, 0.0f);
    }
    glEnd();
    if (shader) {
        shader->Disable();
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopMatrix();
}

void CImage::BindToUnit(int unit) {
    if (glActiveTextureARB) {
        glActiveTextureARB(static_cast<GLenum>(GL_TEXTURE0_ARB + unit));
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texID);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}
