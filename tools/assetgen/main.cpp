// assetgen: makes every file under runtime/Data, deterministically (same bytes on every run).
//   assetgen [--only NAME]... DATA_DIR
#include "Generator.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace assetgen {

std::vector<Generator>& Generators() {
    static std::vector<Generator> all;
    return all;
}

Registrar::Registrar(const std::string& name, GenerateFn generate) {
    Generators().push_back({name, std::move(generate)});
}

std::string InData(const std::string& dataDir, const std::string& runtimePath) {
    return dataDir + "/" + std::filesystem::path(runtimePath).lexically_relative("Data").string();
}

bool MakeParentDirs(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return !error;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (!MakeParentDirs(path)) {
        std::fprintf(stderr, "assetgen: cannot create the folder of %s\n", path.c_str());
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && std::fclose(file) != 0) {
        written = false;
    }
    if (!written) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    }
    return written;
}

} // namespace assetgen

namespace {

// The usage line and the generators' names, on standard error; the status for a wrong command line.
int Usage(const std::vector<assetgen::Generator>& generators) {
    std::fprintf(stderr, "usage: assetgen [--only NAME]... DATA_DIR\ngenerators:");
    for (const auto& g : generators) {
        std::fprintf(stderr, " %s", g.name.c_str());
    }
    std::fprintf(stderr, "\n");
    return 2;
}

bool HasGenerator(const std::vector<assetgen::Generator>& generators, const std::string& name) {
    return std::any_of(generators.begin(), generators.end(),
                       [&](const assetgen::Generator& g) { return g.name == name; });
}

} // namespace

int main(int argc, char* argv[]) {
    auto& generators = assetgen::Generators();
    std::sort(generators.begin(), generators.end(),
              [](const assetgen::Generator& a, const assetgen::Generator& b) { return a.name < b.name; });
    std::vector<std::string> only;
    std::string dataDir;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--only" && i + 1 < argc) {
            only.push_back(argv[++i]);
            // A misspelt name would otherwise make nothing and still report success.
            if (!HasGenerator(generators, only.back())) {
                std::fprintf(stderr, "assetgen: no generator named %s\n", only.back().c_str());
                return Usage(generators);
            }
        } else if (argument.empty() || argument[0] == '-' || !dataDir.empty()) {
            // An option we do not know, or a dangling --only, is not a folder to fill with data.
            return Usage(generators);
        } else {
            dataDir = argument;
        }
    }
    if (dataDir.empty()) {
        return Usage(generators);
    }
    int failures = 0;
    for (const auto& g : generators) {
        if (!only.empty() && std::find(only.begin(), only.end(), g.name) == only.end()) {
            continue;
        }
        if (!g.generate(dataDir)) {
            std::fprintf(stderr, "assetgen: %s failed\n", g.name.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
