// The built-in GLSL programs on a real GL context: all ten compile and link cleanly, keep their
// indices, report missing files, and program 0 tints its texture with "colors".
#include "support/EngineFixture.h"
#include "support/TestSupport.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "shaders/Shader.h"
#include "shaders/ShaderManager.h"
#include "text/Font.h"
#include "text/FontManager.h"
#include "textures/Image.h"
#include "textures/Texture.h"

#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using korvel::test::CaptureStream;
using korvel::test::EngineTest;
using korvel::test::TempDir;
using korvel::test::WriteFile;

namespace {

std::string InfoLog(GLhandleARB object) {
    GLint length = 0;
    glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    if (length <= 1) {
        return "";
    }
    std::vector<GLcharARB> log(static_cast<size_t>(length) + 1, '\0');
    glGetInfoLogARB(object, length, nullptr, log.data());
    return log.data();
}

// Runs a body with the working directory moved to `dir`, then moves back.
template <typename Body> void InDirectory(const std::string& dir, Body body) {
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    body();
    ASSERT_EQ(chdir(previous), 0);
}

} // namespace

class ShaderManagerTest : public EngineTest {};

TEST_F(ShaderManagerTest, TenBuiltInProgramsLinkWithEmptyLogs) {
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        CShader* shader = gShaderManager->GetShader(i);
        ASSERT_NE(shader, nullptr);
        GLhandleARB program = shader->GetProgram();
        ASSERT_NE(program, 0u);
        GLint linked = 0;
        glGetObjectParameterivARB(program, GL_OBJECT_LINK_STATUS_ARB, &linked);
        EXPECT_TRUE(linked);
        EXPECT_EQ(InfoLog(program), "");
        GLhandleARB attached[4] = {};
        GLsizei count = 0;
        glGetAttachedObjectsARB(program, 4, &count, attached);
        ASSERT_EQ(count, 2);
        for (GLsizei k = 0; k < count; ++k) {
            GLint compiled = 0;
            glGetObjectParameterivARB(attached[k], GL_OBJECT_COMPILE_STATUS_ARB, &compiled);
            EXPECT_TRUE(compiled);
            EXPECT_EQ(InfoLog(attached[k]), "") << "compiler warning";
        }
    }
    EXPECT_EQ(gShaderManager->GetShader(10), nullptr);
    EXPECT_EQ(gShaderManager->GetShader(-1), nullptr);
    EXPECT_NE(gShaderManager->GetShader(0), gShaderManager->GetShader(8));
    EXPECT_EQ(gShaderManager->GetShader(0), gShaderManager->GetShader(0));
    EXPECT_GE(glGetUniformLocationARB(gShaderManager->GetShader(0)->GetProgram(), "colors"), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderManagerTest, MissingShaderFolderReportsEveryFileAndGoesOn) {
    TempDir dir;
    CShaderManager manager;
    std::string text;
    InDirectory(dir.Path(), [&] {
        CaptureStream out(1);
        manager.LoadBuiltInShaders();
        text = out.Text();
    });
    const char* rows[][3] = {
        {"Loading simple texture shader...", "simpleTexture", ""},
        {"Loading simple color shader...", "color", ""},
        {"Loading heightmap texture shader...", "hfield", ""},
        {"Loading Directional Per Pixel Diffuse lightning shader...", "dirPerPixel", ""},
        {"Loading Directional Per Vertex Diffuse lightning shader...", "dirPerVertex", ""},
        {"Loading Point Per Pixel lightning shader...", "pointlight", ""},
        {"Loading Spot Per Pixel lightning shader...", "spotlight", ""},
        {"Loading Toon shader...", "toonf2", ""},
        {"Loading vertex diffuse light with texture shader...", "dirPerVertexTEX", ""},
        {"Loading pixel diffuse light with texture shader...", "dirPerPixelTEX", ""},
    };
    std::string expected = "\n-------------========= Loading built in shaders ==========------------\n\n";
    for (const auto& row : rows) {
        const std::string name = row[1];
        expected += std::string(row[0]) + "\n";
        expected += "\nCannot Load vertex shader: shaders/" + name + ".vert\n";
        expected += "\nCannot Load fragment shader: shaders/" + name + ".frag\n";
    }
    expected += "\n";
    EXPECT_EQ(text, expected);
    for (int i = 0; i < 10; ++i) {
        ASSERT_NE(manager.GetShader(i), nullptr);
        EXPECT_EQ(manager.GetShader(i)->GetProgram(), 0u) << "a failed pair keeps its index, with no program";
    }
    // A program-less shader selects the fixed-function pipeline.
    manager.GetShader(0)->Enable();
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
}

TEST_F(ShaderManagerTest, GlslErrorPrintsTheInfoLogOnStderr) {
    TempDir dir;
    const std::string good = "#version 110\nvoid main() { gl_Position = ftransform(); }\n";
    const std::string bad = "#version 110\nvoid main() { gl_FragColor = undeclared; }\n";
    WriteFile(dir.File("a.vert"), std::vector<uint8_t>(good.begin(), good.end()));
    WriteFile(dir.File("a.frag"), std::vector<uint8_t>(bad.begin(), bad.end()));
    CShader shader;
    CaptureStream out(1);
    CaptureStream err(2);
    shader.Load(dir.File("a.frag").c_str(), dir.File("a.vert").c_str());
    std::string errors = err.Text();
    EXPECT_EQ(out.Text(), "") << "the caller's log stays silent";
    EXPECT_NE(errors.find("Shader compile failed: " + dir.File("a.frag")), std::string::npos) << errors;
    EXPECT_NE(errors.find("undeclared"), std::string::npos) << errors;
    EXPECT_NE(errors.find("Shader link failed: "), std::string::npos) << errors;
    glGetError();
}

TEST_F(ShaderManagerTest, SimpleTextureTintsUnitZeroWithColors) {
    ClearFrame();
    DecodedImage white;
    white.width = white.height = 2;
    white.channels = 4;
    white.pixels.assign(2 * 2 * 4, 255);
    TextureOptions nearest;
    nearest.minFilter = GL_NEAREST;
    CTexture texture = CTexture::Upload(white, nearest);
    CShader* shader = gShaderManager->GetShader(0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_BLEND);
    shader->Enable();
    glUniform4fARB(glGetUniformLocationARB(shader->GetProgram(), "colors"), 1.0f, 0.5f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    shader->Disable();
    auto pixel = Pixel(512, 384);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_EQ(pixel[2], 0);
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
}

namespace {

// Clears GLEW's shader entry points while it lives, as a context without GLSL (or a failed glewInit)
// leaves them; they are put back however the test ends.
class WithoutShaderEntryPoints {
public:
    WithoutShaderEntryPoints() {
        Clear(__glewCreateShaderObjectARB);
        Clear(__glewShaderSourceARB);
        Clear(__glewCompileShaderARB);
        Clear(__glewGetObjectParameterivARB);
        Clear(__glewGetInfoLogARB);
        Clear(__glewCreateProgramObjectARB);
        Clear(__glewAttachObjectARB);
        Clear(__glewLinkProgramARB);
        Clear(__glewDeleteObjectARB);
        Clear(__glewUseProgramObjectARB);
        Clear(__glewGetUniformLocationARB);
        Clear(__glewUniform1iARB);
        Clear(__glewUniform3fARB);
        Clear(__glewUniform4fARB);
        Clear(__glewActiveTextureARB);
    }
    ~WithoutShaderEntryPoints() {
        for (auto& restore : restores) {
            restore();
        }
    }

private:
    template <typename Function> void Clear(Function& slot) {
        Function saved = slot;
        slot = nullptr;
        restores.push_back([&slot, saved] { slot = saved; });
    }
    std::vector<std::function<void()>> restores;
};

} // namespace

// Without the driver's shader support shaders are refused with a message, and text and images still
// draw, through the fixed pipeline.
TEST_F(ShaderManagerTest, WithoutTheDriversShaderSupportTextAndImagesStillDraw) {
    auto cleared = std::make_unique<WithoutShaderEntryPoints>();
    EXPECT_FALSE(CShader::Supported());

    CShader shader;
    CaptureStream out(1);
    shader.Load("shaders/simpleTexture.frag", "shaders/simpleTexture.vert");
    shader.Enable();
    shader.SetUniform1i("texture", 0);
    shader.Disable();
    EXPECT_EQ(out.Text(), "\nCannot Load shader program without the driver's shader support: "
                          "shaders/simpleTexture.vert, shaders/simpleTexture.frag\n");
    EXPECT_EQ(shader.GetProgram(), 0u);

    ClearFrame();
    glColor4f(1, 1, 1, 1);
    gFontManager->GetFont(1)->Print(100, 100, 0, "H");
    CImage pointer("Data/MousePointer.png");
    pointer.x = 300;
    pointer.y = 300;
    gGraphicsCore->Begin2D();
    pointer.Draw(1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    gGraphicsCore->End2D();
    cleared.reset();
    EXPECT_TRUE(CShader::Supported());

    // Something of the glyph and of the pointer's outlined arrow reached the window.
    auto lit = [](int left, int top) {
        int count = 0;
        for (int y = top; y < top + 16; ++y) {
            for (int x = left; x < left + 16; ++x) {
                auto p = Pixel(x, y);
                count += (p[0] | p[1] | p[2]) != 0;
            }
        }
        return count;
    };
    EXPECT_GT(lit(100, 100), 10);
    EXPECT_GT(lit(300, 300), 10);
    glGetError();
}
