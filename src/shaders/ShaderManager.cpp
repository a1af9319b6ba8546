#include "shaders/ShaderManager.h"

CShaderManager::CShaderManager() = default;

CShaderManager::~CShaderManager() = default;

void CShaderManager::LoadBuiltInShaders() {}

CShader* CShaderManager::GetShader(int index)
{
    (void)index;
    return nullptr;
}
