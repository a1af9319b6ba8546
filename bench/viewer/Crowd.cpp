// How a crowd of one model costs, drawn two ways: N instances of one shared mesh (CMD2Instance) and N
// models each loaded on its own (CMD2Model), the hobgoblin on a square grid, each member in another
// animation, turn and phase of its key frame, small on a full-screen 1024x768 window seen from above and
// in front. Printed, in one run:
//   - load time and resident memory (VmRSS, with free heap given back first): the first member, the
//     time to add the other 255, and the memory above the start of each way's loading with 1, 16 and
//     256 members drawn;
//   - the median milliseconds per frame above a frame that only clears and swaps, and per member, for
//     N = 1, 4, 16, 64, 256, each way with back-face culling off and on, in interleaved rounds whose
//     order alternates (wall clock and CPU time of all threads), with the same-run ratios.
//   crowd [rounds] [largest N]     (defaults 15 and 256; run from runtime/)
#include "DrawingWays.h"
#include "app/Engine.h"
#include "base/GL.h"
#include "models/MD2Instance.h"
#include "models/MD2Mesh.h"
#include "models/MD2Model.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace bench;

const char* const kModel = "Data/Models/MD2/tris.md2";
const char* const kSkin = "Data/Models/MD2/hobgoblin.bmp";
// Grid cells are 3 units apart (about 30 pixels); a hobgoblin at scale 0.08 stands about 30 pixels tall.
const float kSpacing = 3.0f;
const int kLargestSide = 16;
const int kMemoryCounts[] = {1, 16, 256};

struct CrowdWay {
    const char* name;
    bool instances;
    bool cull;
};
const CrowdWay kCrowdWays[] = {{"models", false, false},
                               {"instances", true, false},
                               {"mod+cull", false, true},
                               {"ins+cull", true, true}};
const int kCrowdWayCount = 4;

// Each member sees the clock shifted by its own phase, so the crowd does not step in unison.
uint32_t phase = 0;
uint32_t PhasedTicks() {
    return SDL_GetTicks() + phase;
}

// Resident memory of the process, in MiB, once the rasterizer has finished and the allocator has
// given back what is free: what a loader's file buffer took and let go would otherwise stay resident
// in the heap, in amounts that vary from run to run.
double ResidentMiB() {
    glFinish();
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kib = 0.0;
            status >> kib;
            return kib / 1024.0;
        }
        status.ignore(4096, '\n');
    }
    return 0.0;
}

// Clears the frame and looks at the grid from above and in front.
void BeginFrame() {
    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 45.0, 45.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

// One frame of the first n members.
template <typename Crowd> void DrawFrame(Crowd& crowd, int n) {
    BeginFrame();
    for (int i = 0; i < n; ++i) {
        phase = static_cast<uint32_t>(i) * 37u;
        crowd[static_cast<size_t>(i)]->Render();
    }
    SDL_GL_SwapBuffers();
}

// Adds `frames` frames of the first n members to the samples.
template <typename Crowd> void DrawFrames(Crowd& crowd, int n, int frames, Samples& sample) {
    Measure(frames, sample, [&crowd, n, frames] {
        for (int f = 0; f < frames; ++f) {
            DrawFrame(crowd, n);
        }
    });
}

// The i-th member's place when n members stand on the grid.
template <typename Member> void Place(Member& member, int i, int n) {
    const int side = static_cast<int>(std::ceil(std::sqrt(double(n))));
    const float x = (static_cast<float>(i % side) - 0.5f * static_cast<float>(side - 1)) * kSpacing;
    const float z = (static_cast<float>(i / side) - 0.5f * static_cast<float>(side - 1)) * kSpacing;
    member.SetPosition(x, 0.0f, z);
}

// The i-th member's size, animation and turn.
template <typename Member> void Dress(Member& member, int i) {
    member.SetScale(0.08f, 0.08f, 0.08f);
    member.SetAnimation(i);
    member.SetRotation(static_cast<float>((i * 47) % 360));
}

// The rasterizer keeps memory after a frame in proportion to the triangles it held (30 to 80 MiB
// for 256 hobgoblins), the same however the crowd is held. So that this stays out of the crowd's
// figures, every reading follows the same frame: one model standing in at each of `places` places.
double SteadyResidentMiB(CMD2Model& standIn, int places) {
    // What the rasterizer keeps varies from frame to frame by tens of MiB; the least of a few is steady.
    double least = 0.0;
    for (int f = 0; f < 6; ++f) {
        BeginFrame();
        for (int i = 0; i < places; ++i) {
            Dress(standIn, i);
            Place(standIn, i, places);
            phase = static_cast<uint32_t>(i) * 37u;
            standIn.Render();
        }
        SDL_GL_SwapBuffers();
        const double now = ResidentMiB();
        least = f == 0 ? now : std::min(least, now);
    }
    return least;
}

// What loading a crowd cost one way: milliseconds for the first member and for the rest, and MiB of
// resident memory above the start with 1, 16 and 256 members drawn.
struct LoadCost {
    double firstMs = 0.0;
    double restMs = 0.0;
    double mib[3] = {0.0, 0.0, 0.0};
};

// Grows the crowd to `loaded` members with add(i), which returns false when the file is refused,
// drawing a frame and reading the resident memory at each count of kMemoryCounts.
template <typename Crowd, typename Add>
bool Grow(Crowd& crowd, int loaded, CMD2Model& standIn, LoadCost& cost, Add add) {
    const double start = SteadyResidentMiB(standIn, loaded);
    size_t next = 0;
    for (int i = 0; i < loaded; ++i) {
        const double before = NowMs(CLOCK_MONOTONIC);
        if (!add(i)) {
            return false;
        }
        const double took = NowMs(CLOCK_MONOTONIC) - before;
        (i == 0 ? cost.firstMs : cost.restMs) += took;
        if (next < 3 && i + 1 == kMemoryCounts[next]) {
            for (int k = 0; k <= i; ++k) {
                Place(*crowd[static_cast<size_t>(k)], k, i + 1);
            }
            // Buffers and driver state are made on the first draw.
            DrawFrame(crowd, i + 1);
            cost.mib[next++] = SteadyResidentMiB(standIn, loaded) - start;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    const int largest = argc > 2 ? std::atoi(argv[2]) : 256;
    if (rounds < 1 || largest < 1 || largest > kLargestSide * kLargestSide) {
        std::fprintf(stderr, "usage: crowd [rounds >= 1] [largest N, 1 to 256]\n");
        return 2;
    }
    CEngine engine;
    engine.InitVideo(1024, 768, 24, true, false);
    // The viewer's steady state for its scene: depth test passing nearer or equal, no blending.
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    CMD2Instance::SetTickSource(PhasedTicks);

    std::vector<int> counts;
    for (int n = 1; n <= largest; n *= 4) {
        counts.push_back(n);
    }
    const int loaded = counts.back();
    CMD2Model standIn;
    if (!standIn.Load(kModel, kSkin)) {
        std::fprintf(stderr, "crowd: cannot load %s\n", kModel);
        return 1;
    }
    const double bare = ResidentMiB();
    const double frameMiB = SteadyResidentMiB(standIn, loaded) - bare;
    std::fprintf(stderr, "loading %d instances of one mesh, then %d models\n", loaded, loaded);
    // Instances first, so that the models' many loads cannot leave them memory to reuse.
    std::vector<std::unique_ptr<CMD2Instance>> instances;
    std::vector<std::unique_ptr<CMD2Model>> models;
    LoadCost instanceCost, modelCost;
    const bool ok = Grow(instances, loaded, standIn, instanceCost,
                         [&instances](int i) {
                             // As a game places a member: through the cache, which reads the file once.
                             std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load(kModel, kSkin);
                             if (!mesh) {
                                 return false;
                             }
                             instances.push_back(std::make_unique<CMD2Instance>(mesh));
                             Dress(*instances.back(), i);
                             return true;
                         }) &&
                    Grow(models, loaded, standIn, modelCost, [&models](int i) {
                        models.push_back(std::make_unique<CMD2Model>());
                        if (!models.back()->Load(kModel, kSkin)) {
                            return false;
                        }
                        Dress(*models.back(), i);
                        return true;
                    });
    if (!ok) {
        std::fprintf(stderr, "crowd: cannot load %s\n", kModel);
        return 1;
    }
    std::printf("\n");

    // Sample [count][way], and the clear-and-swap frame [way] as every way's baseline.
    std::vector<std::vector<Samples>> samples(counts.size(), std::vector<Samples>(kCrowdWayCount));
    std::vector<Samples> empty(kCrowdWayCount);
    for (int round = 0; round < rounds; ++round) {
        for (size_t c = 0; c < counts.size(); ++c) {
            const int n = counts[c];
            // The first n members fill the middle of the grid, so each stays the same size on screen.
            for (int i = 0; i < n; ++i) {
                Place(*instances[static_cast<size_t>(i)], i, n);
                Place(*models[static_cast<size_t>(i)], i, n);
            }
            // About 128 members' worth of drawing per sample, at least two frames.
            const int frames = std::max(2, 128 / n);
            for (int k = 0; k < kCrowdWayCount; ++k) {
                const int w = round % 2 ? kCrowdWayCount - 1 - k : k;
                const CrowdWay& way = kCrowdWays[w];
                for (int i = 0; i < n; ++i) {
                    instances[static_cast<size_t>(i)]->SetBackFaceCulling(way.cull);
                    models[static_cast<size_t>(i)]->SetBackFaceCulling(way.cull);
                }
                Samples& sample = samples[c][static_cast<size_t>(w)];
                if (way.instances) {
                    DrawFrames(instances, 0, frames, empty[static_cast<size_t>(w)]);
                    DrawFrames(instances, n, frames, sample);
                } else {
                    DrawFrames(models, 0, frames, empty[static_cast<size_t>(w)]);
                    DrawFrames(models, n, frames, sample);
                }
            }
        }
    }

    std::printf("load and memory, %d members (a frame of them kept %.1f MiB, in the start of both)\n", loaded,
                frameMiB);
    std::printf("%10s %10s %12s %10s %10s %10s\n", "way", "first ms", "others ms", "MiB at 1", "at 16",
                "at 256");
    for (int w = 0; w < 2; ++w) {
        const LoadCost& cost = w ? instanceCost : modelCost;
        std::printf("%10s %10.2f %12.2f %10.1f %10.1f %10.1f\n", w ? "instances" : "models", cost.firstMs,
                    cost.restMs, cost.mib[0], cost.mib[1], cost.mib[2]);
    }
    for (int cpu = 0; cpu < 2; ++cpu) {
        std::printf("\n%s ms above clear+swap, per frame and per member\n", cpu ? "CPU" : "wall");
        std::printf("%5s", "N");
        for (const CrowdWay& way : kCrowdWays) {
            std::printf(" %9s %9s", way.name, "/member");
        }
        std::printf(" %9s %9s\n", "ins/mod", "cull i/m");
        for (size_t c = 0; c < counts.size(); ++c) {
            double perMember[kCrowdWayCount];
            std::printf("%5d", counts[c]);
            for (int w = 0; w < kCrowdWayCount; ++w) {
                const Samples& own = samples[c][static_cast<size_t>(w)];
                const Samples& base = empty[static_cast<size_t>(w)];
                const double above =
                    cpu ? Median(own.cpu) - Median(base.cpu) : Median(own.wall) - Median(base.wall);
                perMember[w] = above / counts[c];
                std::printf(" %9.3f %9.4f", above, perMember[w]);
            }
            std::printf(" %9.2f %9.2f\n", perMember[1] / perMember[0], perMember[3] / perMember[2]);
        }
    }
    std::printf("\nrounds %d; per-member ratios instances/models, culling off and on, at each N\n", rounds);
    CMD2Instance::SetTickSource(nullptr);
    return 0;
}
