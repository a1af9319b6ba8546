// What each part of the viewer's frame costs. The viewer is started as usual (its Init: full-screen
// 1024x768 window, pointer, model, logo); then, instead of its loop, frames are drawn that hold
// only one of the frame's parts between the clear and the swap, and the whole frame for reference.
// Every kind of frame is drawn the old way (model corner by corner, text through the glyph lists)
// and the new way (vertex arrays), each without and with back-face culling, in several interleaved
// rounds whose order alternates; the median milliseconds per frame above a frame that only clears
// and swaps is printed per way, with the same-run ratios against the old way.
//   framecosts [frames per round] [rounds]     (defaults 30 and 20; run from runtime/)
#include "DrawingWays.h"
#include "app/Engine.h"
#include "base/GL.h"
#include "base/Registry.h"
#include "camera/Camera.h"
#include "demo/ViewerScene.h"
#include "graphics/GraphicsCore.h"
#include "models/MD2Model.h"
#include "textures/Image.h"
#include "viewer/Viewer.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace bench;

struct Part {
    std::string name;
    std::function<void()> draw;
    // The whole frame clears and swaps by itself; the other parts are drawn between the two.
    bool complete = false;
    Samples samples[kWayCount];
};

// One table: per part and way, the median above the clear-and-swap frames of the same way.
void PrintTable(const char* title, const std::vector<Part>& parts, bool cpu) {
    std::printf("\n%-36s", title);
    for (const Way& way : kWays) {
        std::printf(" %9s", way.name);
    }
    std::printf(" %9s %9s %9s\n", "new/old", "nc/old", "nc/new");
    for (const Part& part : parts) {
        double above[kWayCount];
        for (int w = 0; w < kWayCount; ++w) {
            const std::vector<double>& own = cpu ? part.samples[w].cpu : part.samples[w].wall;
            const std::vector<double>& base = cpu ? parts[0].samples[w].cpu : parts[0].samples[w].wall;
            above[w] = Median(own) - (&part == &parts.front() ? 0.0 : Median(base));
        }
        std::printf("%-36s", part.name.c_str());
        for (double ms : above) {
            std::printf(" %9.3f", ms);
        }
        if (&part != &parts.front()) {
            std::printf(" %9.2f %9.2f %9.2f", above[1] / above[0], above[3] / above[0], above[3] / above[1]);
        }
        std::printf("\n");
    }
}

void UseWay(const Way& way, CMD2Model& model) {
    UseDrawing(way);
    model.SetBackFaceCulling(way.cull);
}

} // namespace

int main(int argc, char* argv[]) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 30;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    if (frames < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: framecosts [frames per round >= 1] [rounds >= 1]\n");
        return 2;
    }
    CViewer viewer{ViewerOptions()};
    viewer.Init();
    CEngine* engine = viewer.engine;

    // The bench's own model and logo, loaded and placed as the viewer's, so each can be drawn alone.
    CMD2Model model;
    CViewerScene::LoadHobgoblin(model);
    CViewerScene::PlaceHobgoblin(model);
    CImage logo(CViewerScene::kLogoPath);
    CViewerScene::PlaceLogo(logo);
    std::printf("\n");

    auto helpText = [] {
        CViewerScene::PrintHelp();
        CViewerScene::PrintFooter();
    };
    std::vector<Part> parts = {
        {"clear and swap", [] {}, false, {}},
        {"help text (3 lines)", helpText, false, {}},
        {"grid", [] { CViewerScene::DrawGround(); }, false, {}},
        {"model",
         [&model] {
             glDisable(GL_BLEND);
             gCamera->Look();
             model.Render();
         },
         false,
         {}},
        {"kernel update (FPS line, pointer)", [engine] { engine->Update(); }, false, {}},
        {"logo", [&logo] { CViewerScene::DrawLogo(logo); }, false, {}},
        // The viewer's frame, from the scene's own description, with the bench's model so that
        // culling can be switched.
        {"viewer frame (bench model)",
         [&] {
             CViewerScene::DrawFrame(*engine, model, logo);
             SDL_GL_SwapBuffers();
         },
         true,
         {}},
        {"whole viewer frame", [&viewer] { viewer.Render(); }, true, {}},
    };

    MarkInstructions("start");
    for (int round = 0; round < rounds; ++round) {
        for (Part& part : parts) {
            for (int k = 0; k < kWayCount; ++k) {
                // Odd rounds run the ways backwards, so that no way always follows the same one.
                const int w = round % 2 ? kWayCount - 1 - k : k;
                UseWay(kWays[w], model);
                Measure(frames, part.samples[w], [&part, frames] {
                    for (int i = 0; i < frames; ++i) {
                        if (part.complete) {
                            part.draw();
                            continue;
                        }
                        CViewerScene::Clear();
                        part.draw();
                        SDL_GL_SwapBuffers();
                    }
                });
                char label[64];
                std::snprintf(label, sizeof label, "sample %d %d %d", static_cast<int>(&part - parts.data()),
                              w, frames);
                MarkInstructions(label);
            }
        }
    }

    PrintTable("wall ms per frame above clear+swap", parts, false);
    PrintTable("CPU ms per frame above clear+swap", parts, true);
    std::printf(
        "frames per round %d, rounds %d; the first row is the clear-and-swap frame itself; nc is new+cull;\n"
        "the whole viewer frame draws the viewer's own model, never culled\n",
        frames, rounds);
    return 0;
}
