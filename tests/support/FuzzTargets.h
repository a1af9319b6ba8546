// The loaders' fuzz entry points and their seed corpora. The libFuzzer programs (fuzz/) and the corpus
// replay test call the same functions, so a finding replays the same way under either compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvel::fuzz {

// One generated input: the bytes and whether the loader must accept them.
struct Seed {
    std::string name;
    std::vector<uint8_t> bytes;
    bool loads;
};

// Feeds the bytes to one loader and walks everything it produced; true when the loader accepted them.
using Feed = bool (*)(const uint8_t* data, size_t size);

struct Target {
    const char*
        name; // "bmp", "tga", "md2", "archive", "gltf", "tags", "table": the corpus folder and program suffix
    Feed feed;
    std::vector<Seed> (*seeds)();
};

bool FeedBMP(const uint8_t* data, size_t size);
bool FeedTGA(const uint8_t* data, size_t size);
bool FeedMD2(const uint8_t* data, size_t size);
// An archive (.pak or zip) opened through the engine's file system, every entry read, and every MD2
// model inside fed to the loader; true when the archive opened.
bool FeedArchive(const uint8_t* data, size_t size);
// A glTF file read and baked as gltf2md2 does, and the MD2 model it makes fed to the loader; true
// when it converted.
bool FeedGltf(const uint8_t* data, size_t size);
// A tag file parsed for a model of any frame count, every tag then read between every two frames;
// true when the file was taken.
bool FeedTags(const uint8_t* data, size_t size);
// An animation table read as .anm lines and as .framegroups lines for a model of 40 frames; true when
// either gave an animation.
bool FeedTable(const uint8_t* data, size_t size);
std::vector<Seed> BMPSeeds();
std::vector<Seed> TGASeeds();
std::vector<Seed> MD2Seeds();
std::vector<Seed> ArchiveSeeds();
std::vector<Seed> GltfSeeds();
std::vector<Seed> TagSeeds();
std::vector<Seed> TableSeeds();

// Every target, in a fixed order.
const std::vector<Target>& Targets();
// The target of that name, or null.
const Target* FindTarget(const std::string& name);

} // namespace korvel::fuzz
