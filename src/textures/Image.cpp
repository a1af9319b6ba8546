#include "textures/Image.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "shaders/Shader.h"
#include "shaders/ShaderManager.h"
#include "textures/TextureManager.h"

namespace {

const TexRect WholeImage = {1.0f, 1.0f, 0.0f, 0.0f};

} // namespace

CImage::CImage() = default;

CImage::CImage(const std::string& path) : CImage(path, 1.0f) {}

CImage::CImage(const std::string& path, float alpha) : alpha(alpha) {
    Load(path);
}

CImage::~CImage() {
    // The texture manager must never keep a pointer to a destroyed image; the texture goes with it.
    if (gTextureManager) {
        gTextureManager->Forget(this);
    }
}

void CImage::Release() {}

bool CImage::Load(const std::string& path) {
    // Palette transparency becomes alpha.
    DecodedImage image = DecodedImage::Load(path.c_str(), ImageReader::SDLImage, true);
    if (image.Empty()) {
        return false;
    }
    name = path;
    CreateTexture(image);
    shader = gShaderManager ? gShaderManager->GetShader(0) : nullptr;
    return true;
}

void CImage::CreateTexture(DecodedImage& image) {
    // The quads put texture coordinate t = 0 at the picture's top row.
    image.FlipRows();
    TextureOptions options;
    options.wrap = GL_REPEAT;
    // Mipmaps are built but minification stays linear.
    options.mipmaps = true;
    options.minFilter = GL_LINEAR;
    options.magFilter = GL_LINEAR;
    texture = CTexture::Upload(image, options);
    texID = texture.Name();
    width = static_cast<float>(image.width);
    height = static_cast<float>(image.height);
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
