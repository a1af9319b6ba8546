/// \class CShaderManager
/// Owns the GLSL programs and loads the ten built-in ones; a program's index in the built-in table is
/// how clients name it.
#pragma once

#include <vector>

class CShader;

class CShaderManager {
public:
    /// Starts empty: no file is read and no GL call is made before the video mode exists.
    CShaderManager();
    /// Deletes every program object it owns (the GL objects go with the context).
    ~CShaderManager();

    /// Loads the ten built-in programs in their fixed order; a pair whose files fail keeps its index.
    void LoadBuiltInShaders();
    /// The program at a built-in index (0 simple texture, 8 the model's lit texture); null when no
    /// program has that index.
    CShader* GetShader(int index);

    CShaderManager(const CShaderManager&) = delete;
    CShaderManager& operator=(const CShaderManager&) = delete;

private:
    std::vector<CShader*> shaders;
};
