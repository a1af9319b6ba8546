#include "app/RunApp.h"

#include "app/App.h"

#include <SDL.h>
#include <cstdio>
#include <memory>
#include <string>

int RunApp(const std::function<CApp*()>& make, const std::function<int(CApp&)>& status) {
    try {
        std::unique_ptr<CApp> app(make());
        app->Init();
        app->Run();
        app->Shutdown();
        return status ? status(*app) : 0;
    } catch (const std::string& message) {
        std::fprintf(stderr, "%s\n", message.c_str());
        SDL_Quit();
        return 1;
    }
}
