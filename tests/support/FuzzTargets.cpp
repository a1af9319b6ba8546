#include "support/FuzzTargets.h"

#include "graphics/Utils.h"
#include "models/MD2Loader.h"
#include "textures/TGATexture.h"

#include <cstdio>
#include <cstdlib>

namespace korvel::fuzz {

namespace {

// Reads every byte a loader handed back, so a buffer shorter than its stated size shows up under
// AddressSanitizer, and keeps the compiler from dropping the reads.
unsigned Touch(const unsigned char* bytes, size_t count) {
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i) {
        sum += bytes[i];
    }
    return sum;
}

volatile unsigned sink;

// A loader that accepted its input must hand back a consistent record; anything else would send the
// renderer outside an array later, so it counts as a finding here.
void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz: inconsistent result: %s\n", what);
        std::abort();
    }
}

unsigned TouchVectors(const Vec3* vectors, int count) {
    return Touch(reinterpret_cast<const unsigned char*>(vectors), sizeof(Vec3) * static_cast<size_t>(count));
}

// Every array of the model read to its stated length, every index checked against its table.
void WalkModel(const ModelData& model) {
    Require(model.frameCount == static_cast<int>(model.frames.size()), "frame count");
    Require(model.animationCount == static_cast<int>(model.animations.size()), "animation count");
    for (const Animation& animation : model.animations) {
        Require(animation.firstFrame >= 0 && animation.firstFrame < model.frameCount, "first frame");
        Require(animation.endFrame > 0 && animation.endFrame < model.frameCount, "end frame");
    }
    unsigned sum = 0;
    for (const FrameMesh& frame : model.frames) {
        sum +=
            TouchVectors(frame.positions, frame.vertexCount) + TouchVectors(frame.normals, frame.vertexCount);
    }
    if (model.frames.empty()) {
        sink = sum;
        return;
    }
    const FrameMesh& first = model.frames[0];
    sum += Touch(reinterpret_cast<const unsigned char*>(first.texCoords),
                 sizeof(TexCoord) * static_cast<size_t>(first.texCoords ? first.texCoordCount : 0));
    for (int k = 0; first.triangles && k < first.triangleCount; ++k) {
        for (int j = 0; j < 3; ++j) {
            const Triangle& triangle = first.triangles[k];
            Require(triangle.vertexIndex[j] >= 0 && triangle.vertexIndex[j] < first.vertexCount,
                    "vertex index");
            Require(!first.texCoords ||
                        (triangle.texCoordIndex[j] >= 0 && triangle.texCoordIndex[j] < first.texCoordCount),
                    "texture coordinate index");
        }
    }
    sink = sum;
}

} // namespace

bool FeedBMP(const uint8_t* data, size_t size) {
    CUtils utils;
    BMPImage* image = utils.LoadBMPFromMemory(data, size, "fuzz.bmp");
    if (!image) {
        return false;
    }
    sink = Touch(image->pixels, static_cast<size_t>(image->width) * image->height * image->channels);
    CUtils::FreeBMP(image);
    return true;
}

bool FeedTGA(const uint8_t* data, size_t size) {
    CTGATexture texture;
    if (!texture.DecodeMemory(data, size, "fuzz.tga")) {
        Require(texture.imageData == nullptr, "pixels kept after a refusal");
        return false;
    }
    Require(texture.imageSize ==
                static_cast<uint32_t>(texture.width) * texture.height * texture.bytesPerPixel,
            "image size");
    sink = Touch(texture.imageData, texture.imageSize);
    return true;
}

bool FeedMD2(const uint8_t* data, size_t size) {
    CMD2Loader loader;
    ModelData model;
    const bool loaded = loader.LoadFromMemory(model, data, size, "fuzz.md2", "skin.bmp");
    if (loaded) {
        WalkModel(model);
    } else {
        Require(model.frames.empty() && model.animations.empty() && model.materials.empty(),
                "model not empty after a refusal");
    }
    ReleaseModelData(model);
    return loaded;
}

const std::vector<Target>& Targets() {
    static const std::vector<Target> targets{
        {"bmp", FeedBMP, BMPSeeds},
        {"tga", FeedTGA, TGASeeds},
        {"md2", FeedMD2, MD2Seeds},
    };
    return targets;
}

const Target* FindTarget(const std::string& name) {
    for (const Target& target : Targets()) {
        if (name == target.name) {
            return &target;
        }
    }
    return nullptr;
}

} // namespace korvel::fuzz
