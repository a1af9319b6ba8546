// One GLSL program made of a vertex and a fragment shader read from text files. Clients bracket their
// drawing with Enable and Disable and set uniforms through GetProgram.
#pragma once

#include <cstdint>

class CShader {
public:
    CShader();
    ~CShader();

    // Reads both files (fragment first, vertex second), compiles them and links the program.
    void Load(const char* fragmentFile, const char* vertexFile);
    // Makes the program current.
    void Enable();
    // Returns to the fixed-function pipeline.
    void Disable();
    uint32_t GetProgram() const { return program; }
    // Sets an integer uniform, looked up by name on every call.
    void SetUniform1i(const char* name, int value);

private:
    char* fragmentSource;
    char* vertexSource;
    uint32_t program;
};
