// assetgen's generators: each writes some of the files under Data/ and registers itself by name, so
// adding a generator touches no other file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

// Writes its files below `dataDir` (the folder that plays the role of runtime/Data). Returns false
// after printing a message when it cannot.
using GenerateFn = std::function<bool(const std::string& dataDir)>;

struct Generator {
    std::string name;
    GenerateFn generate;
};

// Every registered generator, sorted by name.
std::vector<Generator>& Generators();

// Registers a generator at static-initialisation time: `static Registrar reg("font", MakeFont);`.
struct Registrar {
    Registrar(const std::string& name, GenerateFn generate);
};

// A program's path below Data/ (as the viewer's scene names its files) as the same file below
// dataDir.
std::string InData(const std::string& dataDir, const std::string& runtimePath);

// Writes `bytes` as the whole file, creating its folders. Returns false after printing a message.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace assetgen
