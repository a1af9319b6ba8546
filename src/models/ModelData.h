// A loaded MD2 model: key frames of decoded vertices with their normals, the triangles and texture
// coordinates they share, the named animations cut from the frame names, and the skin material.
// The loader fills it; a CMD2Mesh owns it and its instances play it back.
#pragma once

#include "models/Vec3.h"

#include <cstdint>
#include <string>
#include <vector>

struct TexCoord {
    float u;
    float v;
};

struct Triangle {
    int32_t vertexIndex[3];
    int32_t texCoordIndex[3];
};

// A run of frames sharing one base name. endFrame is the first frame of the next animation, except
// for the file's last animation, where it is the last frame itself.
struct Animation {
    std::string name;
    int firstFrame = 0;
    int endFrame = 0;
};

struct Material {
    std::string name;
    std::string fileName;
};

// One key frame. Only frame 0 carries the texture coordinates and triangles; every frame draws with
// those of frame 0. The arrays are owned (array-new) and released by ReleaseModelData.
struct FrameMesh {
    int vertexCount = 0;
    int triangleCount = 0;
    int texCoordCount = 0;
    Vec3* positions = nullptr;
    Vec3* normals = nullptr;
    TexCoord* texCoords = nullptr;
    Triangle* triangles = nullptr;
};

struct ModelData {
    int frameCount = 0;
    int materialCount = 0;
    int animationCount = 0;
    int currentAnimation = 0;
    int currentFrame = 0;
    std::vector<Animation> animations;
    std::vector<Material> materials;
    std::vector<FrameMesh> frames;
};

// Frees every frame's arrays and leaves the record empty, as newly constructed.
void ReleaseModelData(ModelData& model);
