// Owns the GLSL programs and loads the ten built-in ones.
#pragma once

class CShader;

class CShaderManager {
public:
    CShaderManager();
    ~CShaderManager();

    // Loads the ten built-in programs in their fixed order.
    void LoadBuiltInShaders();
    // The program at a built-in index (0 simple texture, 8 the model's lit texture).
    CShader* GetShader(int index);
};
