// How the cost of drawing grows with the models drawn: N animated hobgoblins (N = 1, 4, 16, 64, 256)
// on a square grid, each in another animation and at another phase of its key frame, small on a
// full-screen 1024x768 window seen from above and in front. Every N is drawn the old way (corner by
// corner) and the new way (vertex arrays), each with culling off and on, in interleaved rounds whose
// order alternates; printed are the median milliseconds per frame above a frame that only clears and
// swaps (wall clock and CPU time of all threads) and per model, with the same-run ratios.
//   crowd [rounds] [largest N]     (defaults 15 and 256; run from runtime/)
#include "DrawingWays.h"
#include "app/Engine.h"
#include "app/Registry.h"
#include "graphics/GL.h"
#include "models/MD2Model.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using namespace bench;

// Grid cells are 3 units apart (about 30 pixels); a hobgoblin at scale 0.08 stands about 30 pixels tall.
const float kSpacing = 3.0f;
const int kLargestSide = 16;

// Each model sees the clock shifted by its own phase, so the crowd does not step in unison.
uint32_t phase = 0;
uint32_t PhasedTicks() {
    return SDL_GetTicks() + phase;
}

// Draws `frames` frames of the first n models; returns wall and CPU milliseconds per frame.
void DrawFrames(std::vector<std::unique_ptr<CMD2Model>>& crowd, int n, int frames, Samples& sample) {
    Measure(frames, sample, [&crowd, n, frames] {
        for (int f = 0; f < frames; ++f) {
            glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glLoadIdentity();
            gluLookAt(0.0, 45.0, 45.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
            for (int i = 0; i < n; ++i) {
                phase = static_cast<uint32_t>(i) * 37u;
                crowd[static_cast<size_t>(i)]->Render();
            }
            SDL_GL_SwapBuffers();
        }
    });
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
    CMD2Model::SetTickSource(PhasedTicks);

    std::vector<int> counts;
    for (int n = 1; n <= largest; n *= 4) {
        counts.push_back(n);
    }
    const int loaded = counts.back();
    std::vector<std::unique_ptr<CMD2Model>> crowd;
    std::fprintf(stderr, "loading %d models\n", loaded);
    for (int i = 0; i < loaded; ++i) {
        auto model = std::make_unique<CMD2Model>();
        if (!model->Load("Data/Models/MD2/tris.md2", "Data/Models/MD2/hobgoblin.bmp")) {
            std::fprintf(stderr, "crowd: cannot load Data/Models/MD2/tris.md2\n");
            return 1;
        }
        model->SetScale(0.08f, 0.08f, 0.08f);
        model->SetAnimation(i);
        model->SetRotation(static_cast<float>((i * 47) % 360));
        crowd.push_back(std::move(model));
    }
    std::printf("\n");

    // Sample [count][way], and the clear-and-swap frame [way] as every way's baseline.
    std::vector<std::vector<Samples>> samples(counts.size(), std::vector<Samples>(kWayCount));
    std::vector<Samples> empty(kWayCount);
    for (int round = 0; round < rounds; ++round) {
        for (size_t c = 0; c < counts.size(); ++c) {
            const int n = counts[c];
            // The first n models fill the middle of the grid, so each stays the same size on screen.
            const int side = static_cast<int>(std::ceil(std::sqrt(double(n))));
            for (int i = 0; i < n; ++i) {
                const float x =
                    (static_cast<float>(i % side) - 0.5f * static_cast<float>(side - 1)) * kSpacing;
                const float z =
                    (static_cast<float>(i / side) - 0.5f * static_cast<float>(side - 1)) * kSpacing;
                crowd[static_cast<size_t>(i)]->SetPosition(x, 0.0f, z);
            }
            // About 128 models' worth of drawing per sample, at least two frames.
            const int frames = std::max(2, 128 / n);
            for (int k = 0; k < kWayCount; ++k) {
                const int w = round % 2 ? kWayCount - 1 - k : k;
                UseDrawing(kWays[w]);
                for (auto& model : crowd) {
                    model->SetBackFaceCulling(kWays[w].cull);
                }
                DrawFrames(crowd, 0, frames, empty[static_cast<size_t>(w)]);
                DrawFrames(crowd, n, frames, samples[c][static_cast<size_t>(w)]);
            }
        }
    }

    for (int cpu = 0; cpu < 2; ++cpu) {
        std::printf("\n%s ms above clear+swap, per frame and per model\n", cpu ? "CPU" : "wall");
        std::printf("%5s", "N");
        for (const Way& way : kWays) {
            std::printf(" %9s %9s", way.name, "/model");
        }
        std::printf(" %9s %9s\n", "new/old", "nc/old");
        for (size_t c = 0; c < counts.size(); ++c) {
            double perModel[kWayCount];
            std::printf("%5d", counts[c]);
            for (int w = 0; w < kWayCount; ++w) {
                const Samples& own = samples[c][static_cast<size_t>(w)];
                const Samples& base = empty[static_cast<size_t>(w)];
                const double above =
                    cpu ? Median(own.cpu) - Median(base.cpu) : Median(own.wall) - Median(base.wall);
                perModel[w] = above / counts[c];
                std::printf(" %9.3f %9.4f", above, perModel[w]);
            }
            std::printf(" %9.2f %9.2f\n", perModel[1] / perModel[0], perModel[3] / perModel[0]);
        }
    }
    std::printf("\nrounds %d; per-model ratios new/old and new+cull/old at each N\n", rounds);
    CMD2Model::SetTickSource(nullptr);
    return 0;
}
