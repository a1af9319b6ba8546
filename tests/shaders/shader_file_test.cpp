// Reading shader source files: every unreadable case answers null, a readable one is NUL-terminated
// right after the characters read.
#include "shaders/Shader.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

using korvel::test::TempDir;
using korvel::test::WriteFile;

namespace {

// What CShader::ReadTextFile answers, as a string.
std::string ShaderText(const char* path) {
    char* text = CShader::ReadTextFile(path);
    if (!text) {
        return "<null>";
    }
    std::string result(text);
    std::free(text);
    return result;
}

} // namespace

TEST(ShaderReadTextFile, UnreadableSourcesAnswerNull) {
    TempDir dir;
    WriteFile(dir.File("empty.vert"), {});
    EXPECT_EQ(CShader::ReadTextFile(nullptr), nullptr);
    EXPECT_EQ(ShaderText(dir.File("missing.vert").c_str()), "<null>");
    EXPECT_EQ(ShaderText(dir.File("empty.vert").c_str()), "<null>");
    EXPECT_EQ(ShaderText(dir.Path().c_str()), "<null>") << "a folder is not a source file";
}

TEST(ShaderReadTextFile, ReturnsTheWholeTextTerminated) {
    TempDir dir;
    const std::string source = "#version 110\r\nvoid main()\n{\n    gl_FragColor = vec4(1.0);\n}\n";
    WriteFile(dir.File("a.frag"), std::vector<uint8_t>(source.begin(), source.end()));
    EXPECT_EQ(ShaderText(dir.File("a.frag").c_str()), source);

    WriteFile(dir.File("one.frag"), {'x'});
    EXPECT_EQ(ShaderText(dir.File("one.frag").c_str()), "x");
}
