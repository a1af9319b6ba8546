// What each part of the viewer's frame costs. The viewer is started as usual (its Init: full-screen
// 1024x768 window, pointer, model, logo); then, instead of its loop, frames are drawn that hold
// only one of the frame's parts between the clear and the swap, and the whole frame for reference.
// Each kind of frame is drawn in several rounds, interleaved, and the median milliseconds per frame
// is printed with the cost above a frame that only clears and swaps.
//   framecosts [frames per round] [rounds]     (defaults 300 and 5; run from runtime/)
#include "app/Engine.h"
#include "app/Registry.h"
#include "camera/Camera.h"
#include "demo/SimpleWindow.h"
#include "graphics/GL.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"
#include "models/MD2Model.h"
#include "text/Font.h"
#include "text/FontManager.h"
#include "textures/Image.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Part {
    std::string name;
    std::function<void()> draw;
    // The whole frame clears and swaps by itself; the other parts are drawn between the two.
    bool complete = false;
    std::vector<double> samples;
};

void Clear() {
    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    if (frames < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: framecosts [frames per round >= 1] [rounds >= 1]\n");
        return 2;
    }
    SimpleWindow viewer;
    viewer.Init();
    CEngine* engine = viewer.engine;

    // The bench's own model and logo, loaded like the viewer's, so each can be drawn alone.
    CMD2Model model;
    model.Load("Data/Models/MD2/tris.md2", "Data/Models/MD2/hobgoblin.bmp");
    model.SetScale(0.2f, 0.2f, 0.2f);
    model.SetPosition(0.0f, 3.0f, -2.0f);
    model.SetRotation(70.0f);
    CImage logo("Data/Logo/kvxlogo.png");
    logo.x = 1022.0f - logo.GetWidth();
    logo.y = 766.0f - logo.GetHeight();
    std::printf("\n");

    CFont* font = gFontManager->GetFont(1);
    std::vector<Part> parts = {
        {"clear and swap", [] {}, false, {}},
        {"help text (3 lines)",
         [font] {
             font->Print(1, 50, 0, "MD2 Animation Demo! Choose animation with pressing numbers.");
             font->Print(1, 75, 0, "Rotate the model with LEFT and RIGHT arrow.");
             font->Print(20, 740, 0, "Press ESC to Exit.");
         },
         false,
         {}},
        {"grid",
         [] {
             glDisable(GL_BLEND);
             gCamera->Look();
             gUtils->DrawGrid(0.0f, -1.9f, 0.0f);
         },
         false,
         {}},
        {"model",
         [&model] {
             glDisable(GL_BLEND);
             gCamera->Look();
             model.Render();
         },
         false,
         {}},
        {"kernel update (FPS line, pointer)", [engine] { engine->Update(); }, false, {}},
        {"logo",
         [&logo] {
             gGraphicsCore->Begin2D();
             logo.Draw(1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
             gGraphicsCore->End2D();
         },
         false,
         {}},
        {"whole viewer frame", [&viewer] { viewer.Render(); }, true, {}},
    };

    for (int round = 0; round < rounds; ++round) {
        for (Part& part : parts) {
            Uint32 start = SDL_GetTicks();
            for (int i = 0; i < frames; ++i) {
                if (part.complete) {
                    part.draw();
                    continue;
                }
                Clear();
                part.draw();
                SDL_GL_SwapBuffers();
            }
            part.samples.push_back(double(SDL_GetTicks() - start) / frames);
        }
    }

    double base = Median(parts[0].samples);
    double sum = 0.0;
    std::printf("%-36s %10s %12s\n", "frame holds", "ms/frame", "above clear");
    for (const Part& part : parts) {
        double ms = Median(part.samples);
        if (&part != &parts.front() && !part.complete) {
            sum += ms - base;
        }
        std::printf("%-36s %10.3f %12.3f\n", part.name.c_str(), ms, ms - base);
    }
    std::printf("%-36s %10s %12.3f\n", "sum of the parts", "", sum);
    std::printf("frames per round %d, rounds %d; a frame at half the clear-and-swap rate costs %.3f ms\n",
                frames, rounds, 2.0 * base);
    return 0;
}
