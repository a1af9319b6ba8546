// Owns the GLSL programs and loads the ten built-in ones.
#pragma once

class CShaderManager {
public:
    CShaderManager();
    ~CShaderManager();

    // Loads the ten built-in programs in their fixed order.
    void LoadBuiltInShaders();
};
