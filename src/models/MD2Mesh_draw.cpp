// Drawing one MD2 frame: the only place that does, for instances and models alike.
#include "models/MD2Mesh.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "models/MD2VertexArrays.h"
#include "shaders/Shader.h"
#include "shaders/ShaderManager.h"

namespace {

const int kLitTextureProgram = 8;

bool immediateMode = false;

} // namespace

void CMD2Mesh::SetImmediateMode(bool on) {
    immediateMode = on;
}

void CMD2Mesh::Draw(int cur, int next, float t, bool cullBackFaces) const {
    Draw(cur, next, t, cullBackFaces, GetSkin());
}

void CMD2Mesh::Draw(int cur, int next, float t, bool cullBackFaces, const MD2Skin& skin) const {
    if (data.frames.empty()) {
        return;
    }
    if (glActiveTextureARB) {
        glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    CShader* shader = gShaderManager ? gShaderManager->GetShader(kLitTextureProgram) : nullptr;
    if (shader) {
        shader->Enable();
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, skin.texture);
    // The alpha test keeps the fragments of the skin's opaque parts: a cut-out neither hides what lies
    // behind it in the depth buffer nor depends on the order of drawing.
    GLboolean wasAlphaTesting = GL_FALSE;
    GLint alphaFunc = GL_ALWAYS;
    GLfloat alphaRef = 0.0f;
    if (skin.hasAlpha) {
        wasAlphaTesting = glIsEnabled(GL_ALPHA_TEST);
        glGetIntegerv(GL_ALPHA_TEST_FUNC, &alphaFunc);
        glGetFloatv(GL_ALPHA_TEST_REF, &alphaRef);
        glAlphaFunc(GL_GREATER, 0.5f);
        glEnable(GL_ALPHA_TEST);
    }

    GLboolean wasCulling = GL_FALSE;
    GLint frontFace = GL_CCW;
    GLint cullFace = GL_BACK;
    if (cullBackFaces) {
        wasCulling = glIsEnabled(GL_CULL_FACE);
        glGetIntegerv(GL_FRONT_FACE, &frontFace);
        glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
        // MD2 fronts wind clockwise.
        glFrontFace(GL_CW);
        glCullFace(GL_BACK);
        glEnable(GL_CULL_FACE);
    }
    const FrameMesh& from = data.frames[static_cast<size_t>(cur)];
    const FrameMesh& to = data.frames[static_cast<size_t>(next)];
    if (immediateMode) {
        DrawCorners(from, to, t);
    } else {
        CMD2VertexArrays::For(*this).Draw(from, to, t);
    }
    if (cullBackFaces) {
        if (!wasCulling) {
            glDisable(GL_CULL_FACE);
        }
        glFrontFace(static_cast<GLenum>(frontFace));
        glCullFace(static_cast<GLenum>(cullFace));
    }
    if (skin.hasAlpha) {
        glAlphaFunc(static_cast<GLenum>(alphaFunc), alphaRef);
        if (!wasAlphaTesting) {
            glDisable(GL_ALPHA_TEST);
        }
    }
    if (shader) {
        shader->Disable();
    }
}

void CMD2Mesh::DrawCorners(const FrameMesh& cur, const FrameMesh& nxt, float t) const {
    const FrameMesh& first = data.frames[0];
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < cur.triangleCount; ++i) {
        const Triangle& triangle = first.triangles[i];
        for (int j = 0; j < 3; ++j) {
            int vi = triangle.vertexIndex[j];
            if (!first.texCoords.empty()) {
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
