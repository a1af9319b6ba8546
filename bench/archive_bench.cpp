// Browsing a game archive of real size: 2,800 entries and about 250 MB (280 models of 500 vertices
// and 100 frames in 28 folders, each with a 75 KB image beside it, and 2,240 other files of 75 KB
// of noise), as a .pak and as a .pk3 (deflated by zip). Opening lists the archive and loads its
// first model; a step loads the next one from the archive already open; the same model read as a
// loose file is the baseline a step should stay near.
#include "files/FileSystem.h"
#include "models/MD2Catalog.h"
#include "models/MD2Loader.h"
#include "support/ArchiveWriter.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

const int kModels = 280;
const int kOthers = 2240;
const size_t kOtherSize = 75000;

struct Game {
    korvel::test::TempDir dir;
    std::string folder, pak, pk3;

    Game() : folder(dir.File("game")), pak(dir.File("pak0.pak")), pk3(dir.File("pak0.pk3")) {
        std::mt19937 random(2026);
        std::vector<uint8_t> noise(kOtherSize);
        auto fill = [&] {
            for (uint8_t& byte : noise) {
                byte = static_cast<uint8_t>(random());
            }
            return noise;
        };
        for (int m = 0; m < kModels; ++m) {
            const std::string base =
                folder + "/models/group" + std::to_string(m / 10) + "/m" + std::to_string(m);
            korvel::test::WriteFile(
                base + "/tris.md2",
                korvel::test::Md2Writer::RandomMesh(500, 800, 100, static_cast<uint32_t>(m)).Bytes());
            korvel::test::WriteFile(base + "/skin.pcx", fill());
        }
        for (int i = 0; i < kOthers; ++i) {
            korvel::test::WriteFile(
                folder + "/maps/part" + std::to_string(i / 100) + "/f" + std::to_string(i) + ".bin", fill());
        }
        if (!korvel::test::PakFolder(folder, pak) || !korvel::test::ZipFolder(folder, pk3)) {
            std::fprintf(stderr, "archive_bench: the archives could not be written\n");
            std::exit(1);
        }
    }
};

Game& TheGame() {
    static Game game;
    return game;
}

const std::string& RootOf(int which) {
    Game& game = TheGame();
    return which == 0 ? game.pak : which == 1 ? game.pk3 : game.folder;
}

bool LoadModel(const std::string& path) {
    ModelData model;
    CMD2Loader loader;
    const bool ok = loader.Load(model, path.c_str(), nullptr);
    return ok;
}

// Argument: 0 the .pak, 1 the .pk3, 2 the folder it was packed from.
void OpenAndShowFirst(benchmark::State& state) {
    const std::string& root = RootOf(static_cast<int>(state.range(0)));
    size_t models = 0;
    for (auto _ : state) {
        CFileSystem::Unmount(root);
        CMD2Catalog catalog;
        if (!catalog.Open(root) || catalog.Empty() || !LoadModel(catalog.Path(0))) {
            state.SkipWithError("the archive did not open");
            return;
        }
        models = catalog.Count();
    }
    state.counters["models"] = static_cast<double>(models);
}

void StepToNext(benchmark::State& state) {
    const std::string& root = RootOf(static_cast<int>(state.range(0)));
    CMD2Catalog catalog;
    if (!catalog.Open(root)) {
        state.SkipWithError("the archive did not open");
        return;
    }
    for (auto _ : state) {
        catalog.Step(1);
        benchmark::DoNotOptimize(LoadModel(catalog.Path(catalog.Current())));
    }
}

} // namespace

BENCHMARK(OpenAndShowFirst)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(StepToNext)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
