#include "shaders/ShaderManager.h"

#include "shaders/Shader.h"

#include <iostream>

namespace {

struct BuiltInShader {
    const char* message;
    const char* fragmentFile;
    const char* vertexFile;
};

// The order is the clients' numbering: the font and images use 0, the MD2 model uses 8.
const BuiltInShader kBuiltIn[] = {
    {"Loading simple texture shader...", "shaders/simpleTexture.frag", "shaders/simpleTexture.vert"},
    {"Loading simple color shader...", "shaders/color.frag", "shaders/color.vert"},
    {"Loading heightmap texture shader...", "shaders/hfield.frag", "shaders/hfield.vert"},
    {"Loading Directional Per Pixel Diffuse lightning shader...", "shaders/dirPerPixel.frag",
     "shaders/dirPerPixel.vert"},
    {"Loading Directional Per Vertex Diffuse lightning shader...", "shaders/dirPerVertex.frag",
     "shaders/dirPerVertex.vert"},
    {"Loading Point Per Pixel lightning shader...", "shaders/pointlight.frag", "shaders/pointlight.vert"},
    {"Loading Spot Per Pixel lightning shader...", "shaders/spotlight.frag", "shaders/spotlight.vert"},
    {"Loading Toon shader...", "shaders/toonf2.frag", "shaders/toonf2.vert"},
    {"Loading vertex diffuse light with texture shader...", "shaders/dirPerVertexTEX.frag",
     "shaders/dirPerVertexTEX.vert"},
    {"Loading pixel diffuse light with texture shader...", "shaders/dirPerPixelTEX.frag",
     "shaders/dirPerPixelTEX.vert"},
};

} // namespace

CShaderManager::CShaderManager() = default;

CShaderManager::~CShaderManager() {
    for (CShader* shader : shaders) {
        delete shader;
    }
    shaders.clear();
}

void CShaderManager::LoadBuiltInShaders() {
    std::cout << std::endl
              << "-------------========= Loading built in shaders ==========------------\n"
              << std::endl;
    for (const BuiltInShader& row : kBuiltIn) {
        std::cout << row.message << std::endl;
        CShader* shader = new CShader;
        shader->Load(row.fragmentFile, row.vertexFile);
        shaders.push_back(shader);
    }
    std::cout << std::endl;
}

CShader* CShaderManager::GetShader(int index) {
    if (index < 0 || static_cast<size_t>(index) >= shaders.size()) {
        return nullptr;
    }
    return shaders[static_cast<size_t>(index)];
}
