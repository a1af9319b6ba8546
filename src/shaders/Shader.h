/// \class CShader
/// One GLSL program made of a vertex and a fragment shader read from text files. Clients bracket their
/// drawing with Enable and Disable and set uniforms through GetProgram.
#pragma once

#include <cstdint>

class CShader {
public:
    CShader();
    /// Makes no GL call (the context may already be gone).
    ~CShader();

    /// Reads both files (fragment first, vertex second), compiles them and links the program. A missing
    /// or empty file is reported on stdout and leaves the program as it was; a GLSL error prints the
    /// driver's info log on stderr.
    void Load(const char* fragmentFile, const char* vertexFile);
    /// Whether the driver gave GLEW the shader-object and uniform entry points. Without them (glewInit
    /// failed, or the context offers no GLSL) no program is made, and drawing uses the fixed pipeline.
    static bool Supported();
    /// Makes the program current (program 0 selects the fixed-function pipeline).
    void Enable();
    /// Returns to the fixed-function pipeline.
    void Disable();
    /// The GL program name; 0 when none was made.
    uint32_t GetProgram() const { return program; }
    /// Sets an integer uniform, looked up by name on every call.
    void SetUniform1i(const char* name, int value);
    /// Reads a whole text file (on disk or "ARCHIVE:INNER", see CFileSystem) into a new NUL-terminated
    /// buffer the caller releases with free(); null when the path is null, the file cannot be read or
    /// it holds no characters.
    static char* ReadTextFile(const char* path);

    CShader(const CShader&) = delete;
    CShader& operator=(const CShader&) = delete;

private:
    uint32_t program;
};
