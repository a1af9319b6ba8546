// Damaged GLSL sources through CShader on a real driver: binary bytes, unfinished comments, unknown
// versions, an enormous line, a file past the size limit. Each is reported (stdout for a file that
// cannot be read, the driver's log on stderr for one that does not compile) and leaves a program
// that never linked, which drawing can select without harm.
#include "support/EngineFixture.h"
#include "support/TestSupport.h"

#include "base/GL.h"
#include "shaders/Shader.h"

#include <string>
#include <unistd.h>
#include <vector>

using korvel::test::CaptureStream;
using korvel::test::EngineTest;
using korvel::test::TempDir;
using korvel::test::WriteFile;

namespace {

const std::string kVertex = "#version 110\nvoid main() { gl_Position = ftransform(); }\n";

class ShaderBadSourceTest : public EngineTest {
protected:
    struct Outcome {
        std::string out;
        std::string err;
        GLint linked;
        uint32_t program;
    };

    // Loads a good vertex shader with the given fragment source and draws a quad with the result.
    Outcome LoadFragment(const std::vector<uint8_t>& fragment) {
        WriteFile(dir.File("a.vert"), std::vector<uint8_t>(kVertex.begin(), kVertex.end()));
        WriteFile(dir.File("a.frag"), fragment);
        CShader shader;
        Outcome outcome{};
        {
            CaptureStream out(STDOUT_FILENO);
            CaptureStream err(STDERR_FILENO);
            shader.Load(dir.File("a.frag").c_str(), dir.File("a.vert").c_str());
            outcome.out = out.Text();
            outcome.err = err.Text();
        }
        outcome.program = shader.GetProgram();
        if (outcome.program != 0) {
            glGetObjectParameterivARB(outcome.program, GL_OBJECT_LINK_STATUS_ARB, &outcome.linked);
        }
        // Selecting the program and drawing with it must leave the context usable.
        shader.Enable();
        glBegin(GL_QUADS);
        glVertex2f(0, 0);
        glVertex2f(1, 0);
        glVertex2f(1, 1);
        glVertex2f(0, 1);
        glEnd();
        shader.Disable();
        while (glGetError() != GL_NO_ERROR) {
        }
        return outcome;
    }

    // A source the driver refuses: its log on stderr under the file's name, nothing on stdout, and
    // a program that did not link.
    void ExpectCompileFailure(const std::vector<uint8_t>& fragment, const std::string& what) {
        Outcome outcome = LoadFragment(fragment);
        EXPECT_EQ(outcome.out, "") << what;
        EXPECT_NE(outcome.err.find("Shader compile failed: " + dir.File("a.frag") + ":\n"), std::string::npos)
            << what << ": " << outcome.err;
        EXPECT_NE(outcome.err.find("Shader link failed: "), std::string::npos) << what << ": " << outcome.err;
        EXPECT_NE(outcome.program, 0u) << what;
        EXPECT_EQ(outcome.linked, 0) << what;
    }

    static std::vector<uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

    TempDir dir;
};

} // namespace

TEST_F(ShaderBadSourceTest, SourcesTheDriverRefusesAreReportedWithItsLog) {
    std::vector<uint8_t> binary;
    for (int i = 0; i < 512; ++i) {
        binary.push_back(static_cast<uint8_t>((i * 151 + 7) % 256));
    }
    binary[0] = 'x'; // a NUL first would read as an empty source
    ExpectCompileFailure(binary, "binary bytes");
    ExpectCompileFailure(Text("#version 110\n/* never closed\nvoid main() {}\n"), "unfinished comment");
    ExpectCompileFailure(Text("#version 999\nvoid main() { gl_FragColor = vec4(1.0); }\n"),
                         "unknown version");
    ExpectCompileFailure(Text("#version 110\nvoid main() { gl_FragColor = vec4(1.0) }\n"),
                         "missing semicolon");
    ExpectCompileFailure(Text("#version 110\n" + std::string(1 << 20, 'a') + "\n"), "a 1 MB line");
}

TEST_F(ShaderBadSourceTest, AValidSourceCutByANulStillCompilesUpToIt) {
    // The text ends at the first NUL, as any C string does: what stands before it decides.
    std::string text = "#version 110\nvoid main() { gl_FragColor = vec4(1.0); }\n";
    std::vector<uint8_t> bytes = Text(text);
    bytes.push_back(0);
    bytes.insert(bytes.end(), {0xFF, 0xFE, 'j', 'u', 'n', 'k'});
    Outcome outcome = LoadFragment(bytes);
    EXPECT_EQ(outcome.out + outcome.err, "");
    EXPECT_EQ(outcome.linked, 1);
}

TEST_F(ShaderBadSourceTest, FilesThatCannotBeReadAreReportedOnStdout) {
    // Past the 16 MB limit on a source file, and a file holding nothing.
    Outcome huge = LoadFragment(std::vector<uint8_t>((16u << 20) + 1, ' '));
    EXPECT_EQ(huge.out, "\nCannot Load fragment shader: " + dir.File("a.frag") + "\n");
    EXPECT_EQ(huge.program, 0u);
    Outcome empty = LoadFragment({});
    EXPECT_EQ(empty.out, "\nCannot Load fragment shader: " + dir.File("a.frag") + "\n");
    EXPECT_EQ(empty.program, 0u);
}
