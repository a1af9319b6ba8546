// The graphics core against a real GL context under X: projections, the 2D overlay, the caption.
#include "support/EngineFixture.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"

#include <SDL.h>
#include <array>
#include <cmath>

using korvel::test::EngineTest;

namespace {

std::array<float, 16> Matrix(GLenum which) {
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

int Integer(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

void ExpectMatrix(const std::array<float, 16>& actual, const std::array<float, 16>& expected) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "element " << i;
    }
}

const std::array<float, 16> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The column-major perspective matrix of a 60-degree field of view with near 1 and far 4000.
std::array<float, 16> Perspective(double aspect) {
    double f = 1.0 / std::tan(30.0 * M_PI / 180.0);
    double n = 1.0, far = 4000.0;
    return {static_cast<float>(f / aspect),
            0,
            0,
            0,
            0,
            static_cast<float>(f),
            0,
            0,
            0,
            0,
            static_cast<float>((far + n) / (n - far)),
            -1,
            0,
            0,
            static_cast<float>(2 * far * n / (n - far)),
            0};
}

} // namespace

class GraphicsCoreTest : public EngineTest {};

TEST_F(GraphicsCoreTest, VideoModeIsAWindowWithDepthAndDoubleBuffering) {
    SDL_Surface* surface = SDL_GetVideoSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->w, 1024);
    EXPECT_EQ(surface->h, 768);
    EXPECT_EQ(gGraphicsCore->videoFlags & 0xFFFFFEFEu, 0x20000002u) << "OpenGL and a palette, no full screen";
    int value = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &value);
    EXPECT_EQ(value, 1);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &value);
    EXPECT_GE(value, 24);
    EXPECT_TRUE(gGraphicsCore->mode3D);
}

TEST_F(GraphicsCoreTest, PerspectiveIsSixtyDegreesWithTheWindowsAspect) {
    gGraphicsCore->SetPerspective(1024, 768);
    ExpectMatrix(Matrix(GL_PROJECTION_MATRIX), Perspective(1024.0 / 768.0));
    ExpectMatrix(Matrix(GL_MODELVIEW_MATRIX), kIdentity);
    EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_ALWAYS);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    // A zero height counts as one, for the viewport and the aspect.
    gGraphicsCore->SetPerspective(640, 0);
    ExpectMatrix(Matrix(GL_PROJECTION_MATRIX), Perspective(640.0));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
    gGraphicsCore->SetPerspective(1024, 768);
}

TEST_F(GraphicsCoreTest, Begin2DEnd2DRestoresTheProjectionButNotTheModelView) {
    gGraphicsCore->SetPerspective(1024, 768);
    glTranslatef(1, 2, 3);
    auto projection = Matrix(GL_PROJECTION_MATRIX);
    auto modelView = Matrix(GL_MODELVIEW_MATRIX);

    gGraphicsCore->Begin2D();
    // Window pixels, origin top-left, y down: (0,0) -> (-1, 1), (1024, 768) -> (1, -1) in clip space.
    auto ortho = Matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(ortho[0], 2.0f / 1024, 1e-7f);
    EXPECT_NEAR(ortho[5], -2.0f / 768, 1e-7f);
    EXPECT_NEAR(ortho[12], -1.0f, 1e-6f);
    EXPECT_NEAR(ortho[13], 1.0f, 1e-6f);
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
    ExpectMatrix(Matrix(GL_MODELVIEW_MATRIX), modelView);
    glLoadIdentity();

    gGraphicsCore->End2D();
    ExpectMatrix(Matrix(GL_PROJECTION_MATRIX), projection);
    ExpectMatrix(Matrix(GL_MODELVIEW_MATRIX), kIdentity);
    EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_EQ(Integer(GL_PROJECTION_STACK_DEPTH), 1);
    while (glGetError() != GL_NO_ERROR) {
    }
}

TEST_F(GraphicsCoreTest, Begin2DMapsWindowPixelsWithOriginTopLeft) {
    ClearFrame();
    gGraphicsCore->Begin2D();
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_SCISSOR_TEST);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(4, 0);
    glVertex2f(4, 4);
    glVertex2f(0, 4);
    glColor4f(0, 1, 0, 1);
    glVertex2f(1020, 764);
    glVertex2f(1024, 764);
    glVertex2f(1024, 768);
    glVertex2f(1020, 768);
    glEnd();
    auto topLeft = Pixel(1, 1);
    auto bottomRight = Pixel(1022, 766);
    auto bottomLeft = Pixel(1, 766);
    gGraphicsCore->End2D();
    EXPECT_EQ(topLeft[0], 255);
    EXPECT_EQ(bottomRight[1], 255);
    EXPECT_EQ(bottomLeft[0], 0);
}

TEST_F(GraphicsCoreTest, PushOrthoPushesBothMatrices) {
    gGraphicsCore->SetPerspective(1024, 768);
    gGraphicsCore->PushOrtho();
    EXPECT_EQ(Integer(GL_PROJECTION_STACK_DEPTH), 2);
    EXPECT_EQ(Integer(GL_MODELVIEW_STACK_DEPTH), 2);
    EXPECT_NEAR(Matrix(GL_MODELVIEW_MATRIX)[0], 2.0f / 1024, 1e-7f);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

TEST_F(GraphicsCoreTest, WireframeAndCaption) {
    gGraphicsCore->SetWireframe(true);
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    gGraphicsCore->SetWireframe(false);
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);

    EXPECT_EQ(gGraphicsCore->GetCaption(), "Korvel Engine");
    gGraphicsCore->SetCaption("Korvel Engine - MD2 Demo");
    EXPECT_EQ(gGraphicsCore->GetCaption(), "Korvel Engine - MD2 Demo");
    char* title = nullptr;
    SDL_WM_GetCaption(&title, nullptr);
    EXPECT_STREQ(title, "Korvel Engine - MD2 Demo");
}

TEST_F(GraphicsCoreTest, ExtensionsAreCopiedAndDriverStringsAnswer) {
    gGraphicsCore->LoadExtensions();
    ASSERT_NE(gGraphicsCore->extensions, nullptr);
    EXPECT_NE(std::string(gGraphicsCore->extensions).find("GL_ARB_shader_objects"), std::string::npos);
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_NE(std::string(gGraphicsCore->GetRenderer()), "");
    EXPECT_NE(std::string(gGraphicsCore->GetVersion()), "");
}
