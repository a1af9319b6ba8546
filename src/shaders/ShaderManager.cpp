#include "shaders/ShaderManager.h"

CShaderManager::CShaderManager() = default;

CShaderManager::~CShaderManager() = default;

void CShaderManager::LoadBuiltInShaders() {}
