// The CPU side of the TGA loader against stb_image on two 4096x4096 files written by ImageMagick:
// 32 bits run-length encoded (posterized plasma, so runs and raw stretches mix) and 24 bits
// uncompressed (plasma). Both decoders read the file from the page cache; our decoder stops short of
// the GL upload. The files are made once and kept in the build tree. After the usual table the run
// prints both medians per file, wall clock and CPU, and our time as a fraction of stb_image's
// (target: at most 0.5).
#include "support/TestSupport.h"
#include "textures/TGATexture.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stb_image.h>
#include <string>

namespace {

struct BenchFile {
    const char* name;
    const char* convertArguments;
};

const BenchFile kFiles[] = {
    {"rle32.tga",
     "-seed 7 -size 4096x4096 plasma:fractal -posterize 6 \\( +clone -channel R -separate +channel \\) "
     "-alpha off -compose CopyOpacity -composite -type TrueColorAlpha -compress RLE -flip"},
    {"raw24.tga", "-seed 3 -size 4096x4096 plasma:fractal -type TrueColor -compress None -flip"},
};

std::string PathOf(const BenchFile& file) {
    return std::string(KORVEL_BENCH_DATA_DIR) + "/" + file.name;
}

bool MakeFiles() {
    std::filesystem::create_directories(KORVEL_BENCH_DATA_DIR);
    for (const BenchFile& file : kFiles) {
        if (std::filesystem::exists(PathOf(file))) {
            continue;
        }
        std::fprintf(stderr, "making %s with ImageMagick...\n", file.name);
        std::string temporary = PathOf(file) + ".part.tga";
        if (korvel::test::RunCommand(std::string("convert ") + file.convertArguments + " " + temporary) !=
            0) {
            std::fprintf(stderr, "convert failed for %s\n", file.name);
            return false;
        }
        std::filesystem::rename(temporary, PathOf(file));
    }
    return true;
}

void Ours(benchmark::State& state, const BenchFile* file) {
    const std::string path = PathOf(*file);
    for (auto _ : state) {
        CTGATexture tga;
        if (!tga.DecodeFile(path.c_str())) {
            state.SkipWithError("decode failed");
            break;
        }
        benchmark::DoNotOptimize(tga.image.pixels.data());
    }
}

void StbImage(benchmark::State& state, const BenchFile* file) {
    const std::string path = PathOf(*file);
    for (auto _ : state) {
        int width = 0, height = 0, channels = 0;
        stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
        if (!pixels) {
            state.SkipWithError("stb_image failed");
            break;
        }
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

// Keeps the median of every benchmark while the console shows the usual table.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Wall-clock and CPU milliseconds by benchmark name.
    std::map<std::string, std::pair<double, double>> medians;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!MakeFiles()) {
        return 1;
    }
    for (const BenchFile& file : kFiles) {
        for (auto [label, fn] : {std::pair{"ours", Ours}, std::pair{"stb_image", StbImage}}) {
            benchmark::RegisterBenchmark((std::string(label) + "/" + file.name).c_str(), fn, &file)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(7)
                ->ReportAggregatesOnly(true)
                ->UseRealTime();
        }
    }
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // On a shared machine the wall clock also counts time spent waiting for a core; the CPU time does not.
    std::printf("\n%-10s %10s %10s %7s   %10s %10s %7s\n", "median ms", "ours", "stb_image", "ratio",
                "ours CPU", "stb CPU", "ratio");
    for (const BenchFile& file : kFiles) {
        auto ours = reporter.medians["ours/" + std::string(file.name)];
        auto stb = reporter.medians["stb_image/" + std::string(file.name)];
        std::printf("%-10s %10.1f %10.1f %7.2f   %10.1f %10.1f %7.2f\n", file.name, ours.first, stb.first,
                    stb.first > 0 ? ours.first / stb.first : 0.0, ours.second, stb.second,
                    stb.second > 0 ? ours.second / stb.second : 0.0);
    }
    benchmark::Shutdown();
    return 0;
}
