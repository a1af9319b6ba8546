// fuzz-seeds DIR: writes every target's seed corpus to DIR/<target>/<seed name>.
#include "support/FuzzTargets.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-seeds DIR\n");
        return 2;
    }
    for (const korvel::fuzz::Target& target : korvel::fuzz::Targets()) {
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / target.name;
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        for (const korvel::fuzz::Seed& seed : target.seeds()) {
            std::ofstream out(folder / seed.name, std::ios::binary);
            out.write(reinterpret_cast<const char*>(seed.bytes.data()),
                      static_cast<std::streamsize>(seed.bytes.size()));
            if (!out) {
                std::fprintf(stderr, "fuzz-seeds: cannot write %s\n", (folder / seed.name).c_str());
                return 1;
            }
        }
    }
    return 0;
}
