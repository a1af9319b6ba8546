// assetgen: makes every file under runtime/Data, deterministically (same bytes on every run).
//   assetgen [--only NAME]... DATA_DIR
#include "Generator.h"
#include "base/CommandLine.h"

#include <algorithm>
#include <cstdio>
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

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) {
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

struct Options {
    bool help = false;
    bool version = false;
    std::vector<std::string> only; // the generators to run; all when empty
};

bool HasGenerator(const std::string& name) {
    const auto& generators = assetgen::Generators();
    return std::any_of(generators.begin(), generators.end(),
                       [&](const assetgen::Generator& g) { return g.name == name; });
}

const std::vector<korvel::tools::ToolOption<Options>> kOptions = {
    {nullptr, "--only", "NAME", "make only this generator's files (repeatable)",
     [](Options& o, const std::string& name) {
         // A misspelt name would otherwise make nothing and still report success.
         o.only.push_back(name);
         return HasGenerator(name) ? std::string() : "no generator named " + name;
     }},
    {"-h", "--help", nullptr, "print this help and exit",
     [](Options& o, const std::string&) {
         o.help = true;
         return std::string();
     }},
    {nullptr, "--version", nullptr, "print the version and exit",
     [](Options& o, const std::string&) {
         o.version = true;
         return std::string();
     }},
};

} // namespace

int main(int argc, char* argv[]) {
    auto& generators = assetgen::Generators();
    std::sort(generators.begin(), generators.end(),
              [](const assetgen::Generator& a, const assetgen::Generator& b) { return a.name < b.name; });
    std::string usage = "usage: assetgen [--only NAME]... DATA_DIR\ngenerators:";
    for (const auto& g : generators) {
        usage += " " + g.name;
    }
    usage += "\n";
    Options options;
    std::vector<std::string> files;
    const int status = korvel::tools::ReadCommandLine(
        argc, argv, kOptions, options, files, 1, "assetgen", usage.c_str(), [&] {
            return usage + "Makes every file under runtime/Data, the same bytes on every run.\n" +
                   korvel::tools::OptionHelp(kOptions);
        });
    if (status >= 0) {
        return status;
    }
    if (files.empty()) {
        return korvel::tools::WrongCommandLine("assetgen", usage.c_str(), "no DATA_DIR given");
    }
    const std::string& dataDir = files[0];
    const std::vector<std::string>& only = options.only;
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
