// MD2 model costs: loading a full-size model (2,048 vertices, 4,096 triangles, 200 frames) and a
// quarter-size one, the load cost per key frame (which must grow linearly with the mesh), the
// vertex-by-vertex normal scan it replaced as a baseline, and drawing one frame under a live engine,
// from the vertex arrays and corner by corner (skipped without an X display).
#include "app/Engine.h"
#include "base/GL.h"
#include "models/MD2Loader.h"
#include "models/MD2Model.h"
#include "support/Md2Writer.h"
#include "support/ReferenceNormals.h"
#include "support/TestSupport.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <unistd.h>

namespace {

const int kFrames = 200;

// Mesh sizes by benchmark argument: 1 is the full model, 4 the quarter-size one.
korvel::test::Md2Writer MeshFor(int divisor) {
    return korvel::test::Md2Writer::RandomMesh(2048 / divisor, 4096 / divisor, kFrames, 1234);
}

void LoadFromMemory(benchmark::State& state) {
    std::vector<uint8_t> bytes = MeshFor(static_cast<int>(state.range(0))).Bytes();
    for (auto _ : state) {
        ModelData model;
        CMD2Loader loader;
        bool ok = loader.LoadFromMemory(model, bytes.data(), bytes.size(), "bench.md2", nullptr);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}

// The per-vertex scan over every triangle, one key frame: what normals cost before the one-pass sum.
void ScanNormalsBaseline(benchmark::State& state) {
    std::vector<uint8_t> bytes =
        korvel::test::Md2Writer::RandomMesh(2048 / static_cast<int>(state.range(0)),
                                            4096 / static_cast<int>(state.range(0)), 1, 1234)
            .Bytes();
    ModelData model;
    CMD2Loader loader;
    loader.LoadFromMemory(model, bytes.data(), bytes.size(), "bench.md2", nullptr);
    const FrameMesh& frame = model.frames[0];
    for (auto _ : state) {
        std::vector<Vec3> normals = korvel::test::ScanNormals(frame.positions.data(), frame.vertexCount,
                                                              frame.triangles.data(), frame.triangleCount);
        benchmark::DoNotOptimize(normals.data());
    }
    state.counters["per_frame"] = benchmark::Counter(
        static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One drawn frame of the model (interpolation and submission), finished by the rasterizer; the
// second argument 1 draws corner by corner.
void RenderFrame(benchmark::State& state) {
    static CEngine* engine = nullptr;
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no X display");
        return;
    }
    if (!engine) {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (chdir(KORVEL_RUNTIME_DIR) != 0) {
            state.SkipWithError("no runtime folder");
            return;
        }
        engine = new CEngine;
        engine->InitVideo(1024, 768, 24, false, false);
    }
    korvel::test::TempDir dir;
    std::string path = dir.File("bench.md2");
    MeshFor(static_cast<int>(state.range(0))).Write(path);
    CMD2Model model;
    model.Load(path.c_str(), nullptr);
    model.SetPosition(0, 0, -400);
    CMD2Model::SetImmediateMode(state.range(1) != 0);
    for (auto _ : state) {
        model.Render();
        glFinish();
    }
    CMD2Model::SetImmediateMode(false);
}

} // namespace

BENCHMARK(LoadFromMemory)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanNormalsBaseline)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderFrame)->Args({1, 0})->Args({1, 1})->Args({4, 0})->Args({4, 1})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
