#include "shaders/Shader.h"

CShader::CShader() : fragmentSource(nullptr), vertexSource(nullptr), program(0)
{
}

CShader::~CShader() = default;

void CShader::Load(const char* fragmentFile, const char* vertexFile)
{
    (void)fragmentFile;
    (void)vertexFile;
}

void CShader::Enable()
{
}

void CShader::Disable()
{
}

void CShader::SetUniform1i(const char* name, int value)
{
    (void)name;
    (void)value;
}
