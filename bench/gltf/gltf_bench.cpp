// The glTF export of a long model: 1,000 key frames of 2,000 vertices (4,000 triangles), laid out and
// written as .glb, with the file's size as a counter. It must take seconds, not minutes.
#include "GltfExporter.h"
#include "models/MD2Loader.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <benchmark/benchmark.h>
#include <sys/stat.h>

namespace {

void ExportLongModel(benchmark::State& state) {
    const std::vector<uint8_t> bytes = korvel::test::Md2Writer::RandomMesh(2000, 4000, 1000, 1234).Bytes();
    ModelData model;
    CMD2Loader loader;
    if (!loader.LoadFromMemory(model, bytes.data(), bytes.size(), "long.md2", nullptr)) {
        state.SkipWithError("the model did not load");
        return;
    }
    korvel::test::TempDir dir;
    const std::string path = dir.File("long.glb");
    for (auto _ : state) {
        CGltfExporter exporter{GltfExportOptions()};
        GltfModel body;
        body.model = &model;
        body.frameNames = loader.GetFrameNames();
        body.name = "long";
        exporter.Build(body);
        std::string error;
        if (!exporter.Write(path, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.counters["vertices"] = exporter.VertexCount();
        state.counters["targets"] = exporter.TargetCount();
    }
    struct stat info;
    state.counters["file_MB"] = stat(path.c_str(), &info) == 0 ? static_cast<double>(info.st_size) / 1e6 : 0;
}

} // namespace

BENCHMARK(ExportLongModel)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
