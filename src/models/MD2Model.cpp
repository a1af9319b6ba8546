#include "models/MD2Model.h"

#include "app/Registry.h"
#include "graphics/GL.h"
#include "graphics/Utils.h"
#include "models/SkinSearch.h"
#include "shaders/Shader.h"
#include "shaders/ShaderManager.h"

#include <SDL.h>
#include <algorithm>
#include <strings.h>

namespace {

const int kLitTextureProgram = 8;

uint32_t (*tickSource)() = nullptr;
bool immediateMode = false;

uint32_t Ticks() {
    return tickSource ? tickSource() : SDL_GetTicks();
}

// Whether a texture's first level holds alpha; the binding is left as it was.
bool HasAlpha(GLuint texture) {
    if (texture == 0) {
        return false;
    }
    GLint bound = 0, alphaBits = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &alphaBits);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    return alphaBits > 0;
}

} // namespace

CMD2Model::CMD2Model()
    : texture(0), skinHasAlpha(false), elapsed(0.0f), lastTick(0), position(), scale(1.0f, 1.0f, 1.0f),
      rotation(0.0f), rotationAxis(0.0f, 1.0f, 0.0f), paused(false), cullBackFaces(false) {}

CMD2Model::~CMD2Model() {
    ReleaseModelData(data);
}

void CMD2Model::SetTickSource(uint32_t (*source)()) {
    tickSource = source;
}

void CMD2Model::SetImmediateMode(bool on) {
    immediateMode = on;
}

bool CMD2Model::Load(const char* modelPath, const char* skinPath) {
    bool loaded = loader.Load(data, modelPath, skinPath);
    arrays.Build(data);
    for (const Material& material : data.materials) {
        LoadSkin(material.fileName.c_str());
    }
    if (loaded && !skinPath) {
        std::vector<std::string> tried;
        LoadSkin(CSkinSearch::Find(modelPath, loader.GetSkinNames(), tried).c_str());
    }
    return loaded;
}

void CMD2Model::LoadSkin(const char* skinPath) {
    const std::string name = skinPath ? skinPath : "";
    if (name.empty() || !gUtils) {
        return;
    }
    bool bmp = name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".bmp") == 0;
    GLuint loaded = bmp ? gUtils->LoadBMPTexture(name.c_str()) : gUtils->LoadImageTexture(name.c_str());
    if (loaded != 0) {
        SetTexture(loaded);
    }
}

void CMD2Model::SetTexture(unsigned int name) {
    texture = name;
    skinHasAlpha = HasAlpha(name);
}

void CMD2Model::SetAnimation(int n) {
    if (data.animationCount <= 0) {
        return;
    }
    int count = data.animationCount;
    data.currentAnimation = ((n % count) + count) % count;
    data.currentFrame = data.animations[static_cast<size_t>(data.currentAnimation)].firstFrame;
}

void CMD2Model::SetScale(float x, float y, float z) {
    scale = Vec3(x, y, z);
}

void CMD2Model::SetPosition(float x, float y, float z) {
    position = Vec3(x, y, z);
}

void CMD2Model::SetRotation(float angle) {
    rotation = angle;
}

float CMD2Model::UpdateTime(int next) {
    uint32_t now = Ticks();
    // Tick times as floats lose whole milliseconds after about 4.7 hours and run backwards at the
    // counter's wrap (49.7 days), which would stop the animation for good; the unsigned difference
    // of the integer ticks is exact.
    elapsed = static_cast<float>(now - lastTick);
    if (elapsed >= kKeyFrameMs) {
        data.currentFrame = next;
        lastTick = now;
    }
    // The first draw after start-up measures from tick 0, and a long pause spans many periods;
    // past 1 the vertices would be thrown beyond the next key frame.
    return std::clamp(elapsed / kKeyFrameMs, 0.0f, 1.0f);
}

void CMD2Model::SetPaused(bool pause) {
    // Resuming restarts the running key frame, so it is shown whole before the clock moves on.
    if (paused && !pause) {
        lastTick = Ticks();
    }
    paused = pause;
}

int CMD2Model::NextFrame(int frame) const {
    const Animation& anim = data.animations[static_cast<size_t>(data.currentAnimation)];
    if (data.currentAnimation == data.animationCount - 1) {
        return frame + 1 > anim.endFrame ? anim.firstFrame : frame + 1;
    }
    int next = (frame + 1) % anim.endFrame;
    return next == 0 ? anim.firstFrame : next;
}

void CMD2Model::StepKeyFrame(int steps) {
    if (data.animationCount <= 0) {
        return;
    }
    if (steps > 0) {
        data.currentFrame = NextFrame(data.currentFrame);
        return;
    }
    // One step back is the frame whose next one is the current frame.
    const Animation& anim = data.animations[static_cast<size_t>(data.currentAnimation)];
    int frame = anim.firstFrame;
    for (int i = 0; i < data.frameCount && NextFrame(frame) != data.currentFrame; ++i) {
        frame = NextFrame(frame);
    }
    data.currentFrame = frame;
}

void CMD2Model::Render() {
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation, rotationAxis.x, rotationAxis.y, rotationAxis.z);
    glScalef(scale.x, scale.y, scale.z);
    if (data.frames.empty()) {
        glPopMatrix();
        return;
    }

    // Without animations (a single-frame file) the current frame stands still.
    const FrameMesh* cur = &data.frames[static_cast<size_t>(data.currentFrame)];
    const FrameMesh* nxt = cur;
    float t = 0.0f;
    if (data.animationCount > 0) {
        int next = NextFrame(data.currentFrame);
        nxt = &data.frames[static_cast<size_t>(next)];
        t = paused ? 0.0f : UpdateTime(next);
    }

    if (glActiveTextureARB) {
        glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    CShader* shader = gShaderManager ? gShaderManager->GetShader(kLitTextureProgram) : nullptr;
    if (shader) {
        shader->Enable();
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    // The alpha test keeps the fragments of the skin's opaque parts: a cut-out neither hides what lies
    // behind it in the depth buffer nor depends on the order of drawing.
    GLboolean wasAlphaTesting = GL_FALSE;
    GLint alphaFunc = GL_ALWAYS;
    GLfloat alphaRef = 0.0f;
    if (skinHasAlpha) {
        wasAlphaTesting = glIsEnabled(GL_ALPHA_TEST);
        glGetIntegerv(GL_ALPHA_TEST_FUNC, &alphaFunc);
        glGetFloatv(GL_ALPHA_TEST_REF, &alphaRef);
        glAlphaFunc(GL_GREATER, 0.5f);
        glEnable(GL_ALPHA_TEST);
    }
    DrawFrame(*cur, *nxt, t);
    if (skinHasAlpha) {
        glAlphaFunc(static_cast<GLenum>(alphaFunc), alphaRef);
        if (!wasAlphaTesting) {
            glDisable(GL_ALPHA_TEST);
        }
    }
    if (shader) {
        shader->Disable();
    }
    glPopMatrix();
}

void CMD2Model::DrawFrame(const FrameMesh& cur, const FrameMesh& nxt, float t) {
    GLboolean wasCulling = GL_FALSE;
    GLint frontFace = GL_CCW;
    GLint cullFace = GL_BACK;
    if (cullBackFaces) {
        wasCulling = glIsEnabled(GL_CULL_FACE);
        glGetIntegerv(GL_FRONT_FACE, &frontFace);
        glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
        glFrontFace(GL_CW);
        glCullFace(GL_BACK);
        glEnable(GL_CULL_FACE);
    }
    if (immediateMode) {
        DrawFrames(cur, nxt, t);
    } else {
        arrays.Draw(cur, nxt, t);
    }
    if (cullBackFaces) {
        if (!wasCulling) {
            glDisable(GL_CULL_FACE);
        }
        glFrontFace(static_cast<GLenum>(frontFace));
        glCullFace(static_cast<GLenum>(cullFace));
    }
}

void CMD2Model::DrawFrames(const FrameMesh& cur, const FrameMesh& nxt, float t) const {
    const FrameMesh& first = data.frames[0];
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < cur.triangleCount; ++i) {
        const Triangle& triangle = first.triangles[i];
        for (int j = 0; j < 3; ++j) {
            int vi = triangle.vertexIndex[j];
            if (first.texCoords) {
                const TexCoord& st = first.texCoords[triangle.texCoordIndex[j]];
                glTexCoord2f(st.u, st.v);
            }
            const Vec3& n = cur.normals[vi];
            glNormal3f(n.x, n.y, n.z);
            // Normals are those of the frame being left; only positions are interpolated.
            const Vec3& a = cur.positions[vi];
            const Vec3& b = nxt.positions[vi];
            glVertex3f(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z));
        }
    }
    glEnd();
}
