#include "textures/Texture.h"

#include "base/GL.h"

#include <SDL.h>
#include <utility>

CTexture::~CTexture() {
    Delete();
}

CTexture::CTexture(CTexture&& other) noexcept
    : name(std::exchange(other.name, 0u)), hasAlpha(other.hasAlpha), owned(other.owned) {}

CTexture& CTexture::operator=(CTexture&& other) noexcept {
    if (this != &other) {
        Delete();
        name = std::exchange(other.name, 0u);
        hasAlpha = other.hasAlpha;
        owned = other.owned;
    }
    return *this;
}

void CTexture::Delete() {
    if (name != 0 && owned && ContextAlive()) {
        GLuint deleted = name;
        glDeleteTextures(1, &deleted);
    }
    name = 0;
}

std::shared_ptr<const CTexture> CTexture::View(uint32_t name, bool hasAlpha) {
    auto view = std::make_shared<CTexture>();
    view->name = name;
    view->hasAlpha = hasAlpha;
    view->owned = false;
    return view;
}

uint32_t CTexture::Release() {
    return std::exchange(name, 0u);
}

CTexture CTexture::Upload(const DecodedImage& image, const TextureOptions& options) {
    CTexture texture;
    if (image.Empty()) {
        return texture;
    }
    // Rows are tightly packed, and 24-bit rows are rarely a multiple of 4 bytes, GL's default.
    GLint savedAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
    const size_t rowBytes = static_cast<size_t>(image.width) * static_cast<size_t>(image.channels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, rowBytes % 4 == 0 ? 4 : 1);

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    if (options.wrap != 0) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, options.wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, options.wrap);
    }
    if (options.minFilter != 0) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, options.minFilter);
    }
    if (options.magFilter != 0) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, options.magFilter);
    }
    const GLenum format = image.HasAlpha() ? GL_RGBA : GL_RGB;
    if (options.mipmaps) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), image.width, image.height, format,
                          GL_UNSIGNED_BYTE, image.pixels.data());
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format,
                     GL_UNSIGNED_BYTE, image.pixels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);

    texture.name = name;
    texture.hasAlpha = image.HasAlpha();
    return texture;
}

bool CTexture::Fits(int32_t width, int32_t height, int32_t channels) {
    const GLubyte* version = glGetString(GL_VERSION);
    if (!version || !*version) {
        return true;
    }
    const GLenum format = channels == 4 ? GL_RGBA : GL_RGB;
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, nullptr);
    GLint proxyWidth = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
    return proxyWidth != 0;
}

bool CTexture::ContextAlive() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetVideoSurface() != nullptr;
}

CTexture CTexture::LoadSkin(const char* path, ImageReader reader) {
    TextureOptions skin;
    skin.minFilter = GL_LINEAR_MIPMAP_NEAREST;
    skin.mipmaps = true;
    CTexture texture = Upload(DecodedImage::Load(path, reader, true), skin);
    if (texture.Name() != 0) {
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    return texture;
}
