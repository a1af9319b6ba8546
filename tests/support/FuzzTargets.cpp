#include "support/FuzzTargets.h"

#include "files/FileSystem.h"
#include "graphics/Utils.h"
#include "models/AnimationTable.h"
#include "models/MD2Loader.h"
#include "models/MD2Tags.h"
#include "textures/TGATexture.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

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

unsigned TouchVectors(const std::vector<Vec3>& vectors, int count) {
    Require(vectors.size() == static_cast<size_t>(count), "vertex count");
    return Touch(reinterpret_cast<const unsigned char*>(vectors.data()), sizeof(Vec3) * vectors.size());
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
    sum += Touch(reinterpret_cast<const unsigned char*>(first.texCoords.data()),
                 sizeof(TexCoord) * first.texCoords.size());
    Require(first.texCoords.empty() || first.texCoords.size() == static_cast<size_t>(first.texCoordCount),
            "texture coordinate count");
    Require(first.triangles.empty() || first.triangles.size() == static_cast<size_t>(first.triangleCount),
            "triangle count");
    for (int k = 0; !first.triangles.empty() && k < first.triangleCount; ++k) {
        for (int j = 0; j < 3; ++j) {
            const Triangle& triangle = first.triangles[k];
            Require(triangle.vertexIndex[j] >= 0 && triangle.vertexIndex[j] < first.vertexCount,
                    "vertex index");
            Require(first.texCoords.empty() ||
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
    Require(image->pixels.size() == static_cast<size_t>(image->width) * image->height * image->channels,
            "image size");
    sink = Touch(image->pixels.data(), image->pixels.size());
    CUtils::FreeBMP(image);
    return true;
}

bool FeedTGA(const uint8_t* data, size_t size) {
    CTGATexture texture;
    if (!texture.DecodeMemory(data, size, "fuzz.tga")) {
        Require(texture.image.Empty(), "pixels kept after a refusal");
        return false;
    }
    Require(texture.imageSize ==
                    static_cast<uint32_t>(texture.width) * texture.height * texture.bytesPerPixel &&
                texture.image.pixels.size() == texture.imageSize,
            "image size");
    sink = Touch(texture.image.pixels.data(), texture.image.pixels.size());
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
    return loaded;
}

bool FeedArchive(const uint8_t* data, size_t size) {
    // The archive is read from a file of this process's own, closed again after each input so that
    // the next one is read anew.
    static const std::string path = "/tmp/korvel-fuzz-" + std::to_string(getpid()) + ".zip";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || (size > 0 && std::fwrite(data, 1, size, file) != size)) {
        if (file) {
            std::fclose(file);
        }
        return false;
    }
    std::fclose(file);
    std::vector<std::string> entries;
    std::string why;
    const bool opened = CFileSystem::ListTree(path, entries, why);
    Require(opened || entries.empty(), "entries listed from a refused archive");
    Require(opened || !why.empty(), "an archive refused without a reason");
    if (!opened) {
        std::fprintf(stderr, "%s\n", why.c_str());
    }
    for (const std::string& inner : entries) {
        std::vector<uint8_t> bytes;
        const bool read = CFileSystem::Read(CFileSystem::Join(path, inner), bytes, why);
        Require(read || bytes.empty(), "bytes kept from an entry that failed");
        const size_t dot = inner.rfind('.');
        if (read && dot != std::string::npos &&
            (inner.substr(dot) == ".md2" || inner.substr(dot) == ".MD2")) {
            FeedMD2(bytes.data(), bytes.size());
        } else if (read) {
            sink = Touch(bytes.data(), bytes.size());
        }
    }
    CFileSystem::Unmount(path);
    std::remove(path.c_str());
    return opened;
}

bool FeedTags(const uint8_t* data, size_t size) {
    CMD2Tags tags;
    std::string why;
    if (!tags.Parse("fuzz.tag", std::vector<uint8_t>(data, data + size), -1, why)) {
        Require(tags.GetCount() == 0 && !why.empty(), "tags kept, or no reason given, after a refusal");
        std::fprintf(stderr, "%s\n", why.c_str());
        return false;
    }
    const int frames = tags.GetFrameCount();
    for (int tag = 0; tag < tags.GetCount(); ++tag) {
        for (int frame = 0; frame < frames; ++frame) {
            const MD2TagTransform t = tags.Interpolate(tag, frame, (frame + 1) % frames, 0.5f);
            for (const Vec3& v : {t.axis[0], t.axis[1], t.axis[2], t.origin}) {
                Require(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z),
                        "a tag between frames is not a number");
            }
        }
    }
    return true;
}

bool FeedTable(const uint8_t* data, size_t size) {
    const int kFrames = 40;
    const std::vector<uint8_t> bytes(data, data + size);
    bool gave = false;
    for (const char* name : {"fuzz.anm", "fuzz.framegroups"}) {
        std::vector<std::string> problems;
        for (const Animation& a : CAnimationTable::Parse(name, bytes, kFrames, problems)) {
            Require(a.firstFrame >= 0 && a.firstFrame <= a.endFrame && a.endFrame < kFrames,
                    "an animation outside the model's frames");
            Require(a.framesPerSecond >= 0.0f && a.framesPerSecond <= CAnimationTable::kMaxRate, "rate");
            gave = true;
        }
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "%s\n", problem.c_str());
        }
    }
    return gave;
}

const std::vector<Target>& Targets() {
    static const std::vector<Target> targets{
        {"bmp", FeedBMP, BMPSeeds},       {"tga", FeedTGA, TGASeeds},
        {"md2", FeedMD2, MD2Seeds},       {"archive", FeedArchive, ArchiveSeeds},
        {"gltf", FeedGltf, GltfSeeds},    {"tags", FeedTags, TagSeeds},
        {"table", FeedTable, TableSeeds},
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
