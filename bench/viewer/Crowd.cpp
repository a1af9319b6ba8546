// What a game sees when it draws a crowd of one model: N animated instances of the hobgoblin sharing
// one mesh, on a square grid, each in another animation, turn and phase of its key frame, small on a
// full-screen 1024x768 window seen from above and in front, lit (the engine's lighting program, as a
// game has it) and unlit (no shader manager). Every frame is timed on its own, swap included.
//   crowd measure FRAMES ROUND LABEL   draws N = 1, 16, 64, 256, lit and unlit, after a few frames of
//                                      warm-up (with the engine's heap keeping off when LABEL is
//                                      keep-off), and prints one line per frame:
//                                      LABEL lit|unlit N process-ms wall-ms minor-faults
//                                      (odd rounds take the configurations in reverse order)
//   crowd table                        reads such lines from standard input and prints, per N,
//                                      lighting and label: process (CPU, all threads) milliseconds per
//                                      frame, frames per second by the wall clock, minor page faults
//                                      per frame and the 99th-percentile wall milliseconds of a frame
// Run from runtime/. bench/crowd alternates measuring processes in three allocator settings.
#include "app/Engine.h"
#include "base/GL.h"
#include "base/Registry.h"
#include "models/MD2Instance.h"
#include "models/MD2Mesh.h"

#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const char* const kModel = "Data/Models/MD2/tris.md2";
const char* const kSkin = "Data/Models/MD2/hobgoblin.bmp";
// Grid cells are 3 units apart (about 30 pixels); a hobgoblin at scale 0.08 stands about 30 pixels tall.
const float kSpacing = 3.0f;
const int kCounts[] = {1, 16, 64, 256};
const int kWarmUpFrames = 4;

// Each member sees the clock shifted by its own phase, so the crowd does not step in unison.
uint32_t phase = 0;
uint32_t PhasedTicks() {
    return SDL_GetTicks() + phase;
}

double NowMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// The i-th member's place when n members stand on the grid.
void Place(CMD2Instance& member, int i, int n) {
    const int side = static_cast<int>(std::ceil(std::sqrt(double(n))));
    const float x = (static_cast<float>(i % side) - 0.5f * static_cast<float>(side - 1)) * kSpacing;
    const float z = (static_cast<float>(i / side) - 0.5f * static_cast<float>(side - 1)) * kSpacing;
    member.SetPosition(x, 0.0f, z);
}

// One frame of the first n members, as a game draws it: clear, look, draw, swap.
void DrawFrame(std::vector<CMD2Instance>& crowd, int n) {
    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 45.0, 45.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    for (int i = 0; i < n; ++i) {
        phase = static_cast<uint32_t>(i) * 37u;
        crowd[static_cast<size_t>(i)].Render();
    }
    SDL_GL_SwapBuffers();
}

int Measure(int frames, int round, const std::string& label) {
    // The program's opt-out of the engine's heap setting, to show what the drawing does without it.
    CEngine::SetHeapKeeping(label != "keep-off");
    CEngine engine;
    engine.InitVideo(1024, 768, 24, true, false);
    // The viewer's steady state for its scene: depth test passing nearer or equal, no blending.
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    CMD2Instance::SetTickSource(PhasedTicks);
    std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load(kModel, kSkin);
    if (!mesh) {
        std::fprintf(stderr, "crowd: cannot load %s\n", kModel);
        return 1;
    }
    std::vector<CMD2Instance> crowd(256, CMD2Instance(mesh));
    for (int i = 0; i < 256; ++i) {
        crowd[static_cast<size_t>(i)].SetScale(0.08f, 0.08f, 0.08f);
        crowd[static_cast<size_t>(i)].SetAnimation(i);
        crowd[static_cast<size_t>(i)].SetRotation(static_cast<float>((i * 47) % 360));
    }
    CShaderManager* const shaders = gShaderManager;
    std::vector<std::pair<int, bool>> configs;
    for (int n : kCounts) {
        configs.emplace_back(n, true);
        configs.emplace_back(n, false);
    }
    if (round % 2) {
        std::reverse(configs.begin(), configs.end());
    }
    for (const auto& [n, lit] : configs) {
        gShaderManager = lit ? shaders : nullptr;
        for (int i = 0; i < n; ++i) {
            Place(crowd[static_cast<size_t>(i)], i, n);
        }
        // Small crowds are fast and noisy: more frames, for a percentile worth reading.
        const int count = frames * std::clamp(256 / n, 1, 8);
        for (int f = 0; f < kWarmUpFrames; ++f) {
            DrawFrame(crowd, n);
        }
        for (int f = 0; f < count; ++f) {
            const long faults = MinorFaults();
            const double wall = NowMs(CLOCK_MONOTONIC);
            const double cpu = NowMs(CLOCK_PROCESS_CPUTIME_ID);
            DrawFrame(crowd, n);
            std::printf("%s %s %d %.4f %.4f %ld\n", label.c_str(), lit ? "lit" : "unlit", n,
                        NowMs(CLOCK_PROCESS_CPUTIME_ID) - cpu, NowMs(CLOCK_MONOTONIC) - wall,
                        MinorFaults() - faults);
        }
    }
    gShaderManager = shaders;
    CMD2Instance::SetTickSource(nullptr);
    return 0;
}

struct Frames {
    std::vector<double> cpu;
    std::vector<double> wall;
    long faults = 0;
};

double Sum(const std::vector<double>& values) {
    double sum = 0.0;
    for (double v : values) {
        sum += v;
    }
    return sum;
}

double Percentile99(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(std::ceil(0.99 * values.size())) - 1)];
}

int Table() {
    // [N][lighting][label], labels in order of first appearance.
    std::map<std::tuple<int, std::string, std::string>, Frames> cells;
    std::vector<std::string> labels;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string label, lighting;
        int n = 0;
        double cpu = 0.0, wall = 0.0;
        long faults = 0;
        // The engine's start-up log shares standard output; only the frames' lines count.
        if (!(in >> label >> lighting >> n >> cpu >> wall >> faults) || (lighting != "lit" && lighting != "unlit")) {
            continue;
        }
        if (std::find(labels.begin(), labels.end(), label) == labels.end()) {
            labels.push_back(label);
        }
        Frames& cell = cells[{n, lighting, label}];
        cell.cpu.push_back(cpu);
        cell.wall.push_back(wall);
        cell.faults += faults;
    }
    if (cells.empty()) {
        std::fprintf(stderr, "crowd table: no frames on standard input\n");
        return 1;
    }
    std::printf("%5s %6s", "N", "light");
    for (const std::string& label : labels) {
        std::printf(" | %-9.9s %6s %7s %8s %7s", label.c_str(), "cpu ms", "fps", "faults", "p99 ms");
    }
    std::printf("\n");
    for (int n : kCounts) {
        for (const char* lighting : {"lit", "unlit"}) {
            std::printf("%5d %6s", n, lighting);
            for (const std::string& label : labels) {
                auto found = cells.find({n, lighting, label});
                if (found == cells.end()) {
                    std::printf(" | %9s %6s %7s %8s %7s", "", "-", "-", "-", "-");
                    continue;
                }
                const Frames& cell = found->second;
                const double frames = double(cell.cpu.size());
                std::printf(" | %9s %6.2f %7.1f %8.0f %7.2f", "", Sum(cell.cpu) / frames,
                            1e3 * frames / Sum(cell.wall), double(cell.faults) / frames,
                            Percentile99(cell.wall));
            }
            std::printf("\n");
        }
    }
    std::printf("cpu ms: process time (all threads) per frame; fps by the wall clock; faults: minor page "
                "faults per frame; p99: 99th-percentile wall ms of a frame\n");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 5 && std::strcmp(argv[1], "measure") == 0 && std::atoi(argv[2]) > 0) {
        return Measure(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    }
    if (argc == 2 && std::strcmp(argv[1], "table") == 0) {
        return Table();
    }
    std::fprintf(stderr, "usage: crowd measure FRAMES ROUND LABEL | crowd table < lines\n");
    return 2;
}
