#include "shaders/Shader.h"

#include "base/GL.h"
#include "files/FileSystem.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Checks a status of a shader or program object; when it is not set, the object's info log goes to
// stderr, headed by what failed.
void CheckStatus(GLhandleARB object, GLenum status, const char* what, const char* name) {
    GLint succeeded = 0;
    glGetObjectParameterivARB(object, status, &succeeded);
    if (succeeded) {
        return;
    }
    GLint length = 0;
    glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    std::vector<GLcharARB> log(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    if (length > 0) {
        glGetInfoLogARB(object, length, nullptr, log.data());
    }
    std::fprintf(stderr, "%s %s:\n%s\n", what, name, log.data());
    std::fflush(stderr);
}

// A source text as ReadTextFile gives it, released with free().
using SourceText = std::unique_ptr<char, decltype(&std::free)>;

// Reads a shader's source text; a file that cannot be read is reported on stdout.
SourceText ReadSource(const char* path, const char* kind) {
    SourceText text(CShader::ReadTextFile(path), std::free);
    if (!text) {
        std::printf("\nCannot Load %s shader: %s\n", kind, path ? path : "(null)");
    }
    return text;
}

// Compiles one shader object; on failure its log goes to stderr.
void Compile(GLhandleARB shader, const char* path) {
    glCompileShaderARB(shader);
    CheckStatus(shader, GL_OBJECT_COMPILE_STATUS_ARB, "Shader compile failed:", path);
}

} // namespace

CShader::CShader() : program(0) {}

CShader::~CShader() = default;

char* CShader::ReadTextFile(const char* path) {
    std::vector<uint8_t> bytes;
    std::string why;
    // A file larger than any shader source (16 MiB) is as unreadable as an empty one.
    if (!path || !CFileSystem::Read(path, bytes, why) || bytes.empty() || bytes.size() > (size_t(16) << 20)) {
        return nullptr;
    }
    char* buffer = static_cast<char*>(std::malloc(bytes.size() + 1));
    if (buffer) {
        std::memcpy(buffer, bytes.data(), bytes.size());
        buffer[bytes.size()] = '\0';
    }
    return buffer;
}

bool CShader::Supported() {
    return glCreateShaderObjectARB && glShaderSourceARB && glCompileShaderARB && glGetObjectParameterivARB &&
           glGetInfoLogARB && glCreateProgramObjectARB && glAttachObjectARB && glLinkProgramARB &&
           glDeleteObjectARB && glUseProgramObjectARB && glGetUniformLocationARB && glUniform1iARB &&
           glUniform3fARB && glUniform4fARB;
}

void CShader::Load(const char* fragmentFile, const char* vertexFile) {
    if (!Supported()) {
        std::printf("\nCannot Load shader program without the driver's shader support: %s, %s\n",
                    vertexFile ? vertexFile : "(null)", fragmentFile ? fragmentFile : "(null)");
        std::fflush(stdout);
        return;
    }
    GLhandleARB vertexShader = glCreateShaderObjectARB(GL_VERTEX_SHADER_ARB);
    GLhandleARB fragmentShader = glCreateShaderObjectARB(GL_FRAGMENT_SHADER_ARB);

    const SourceText vertexSource = ReadSource(vertexFile, "vertex");
    const SourceText fragmentSource = ReadSource(fragmentFile, "fragment");
    std::fflush(stdout);
    if (!vertexSource || !fragmentSource) {
        glDeleteObjectARB(vertexShader);
        glDeleteObjectARB(fragmentShader);
        return;
    }

    const GLcharARB* vertexText = vertexSource.get();
    const GLcharARB* fragmentText = fragmentSource.get();
    glShaderSourceARB(vertexShader, 1, &vertexText, nullptr);
    glShaderSourceARB(fragmentShader, 1, &fragmentText, nullptr);
    Compile(vertexShader, vertexFile);
    Compile(fragmentShader, fragmentFile);

    GLhandleARB linked = glCreateProgramObjectARB();
    glAttachObjectARB(linked, vertexShader);
    glAttachObjectARB(linked, fragmentShader);
    glLinkProgramARB(linked);
    CheckStatus(linked, GL_OBJECT_LINK_STATUS_ARB, "Shader link failed:", fragmentFile);
    // The shader objects only need to live as long as the program they are attached to.
    glDeleteObjectARB(vertexShader);
    glDeleteObjectARB(fragmentShader);
    program = linked;
}

void CShader::Enable() {
    if (Supported()) {
        glUseProgramObjectARB(program);
    }
}

void CShader::Disable() {
    if (Supported()) {
        glUseProgramObjectARB(0);
    }
}

void CShader::SetUniform1i(const char* name, int value) {
    if (!Supported()) {
        return;
    }
    glUniform1iARB(glGetUniformLocationARB(program, name), value);
}
