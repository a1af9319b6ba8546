#include "app/RunApp.h"

#include "app/App.h"

#include <SDL.h>
#include <cstdio>
#include <memory>
#include <string>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

void Report(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    SDL_Quit();
}

#ifdef __EMSCRIPTEN__
// In a browser page the page owns the loop: the application draws one frame each time the browser
// asks for one, and is shut down and destroyed when a step says it has ended.
void StepInBrowser(void* context) {
    CApp* app = static_cast<CApp*>(context);
    try {
        if (app->Step()) {
            return;
        }
        app->Shutdown();
    } catch (const std::string& message) {
        Report(message);
    }
    emscripten_cancel_main_loop();
    delete app;
    // The page is told, so that it can say so rather than leave the last frame standing.
    emscripten_run_script("if (Module.onAppEnded) Module.onAppEnded();");
}
#endif

} // namespace

int RunApp(const std::function<CApp*()>& make, const std::function<int(CApp&)>& status) {
    try {
        std::unique_ptr<CApp> app(make());
        app->Init();
#ifdef __EMSCRIPTEN__
        emscripten_set_main_loop_arg(StepInBrowser, app.release(), 0, false);
        return 0;
#endif
        app->Run();
        app->Shutdown();
        return status ? status(*app) : 0;
    } catch (const std::string& message) {
        Report(message);
        return 1;
    }
}
