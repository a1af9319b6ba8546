// gui-example: the engine's GUI in one window. Run it from runtime/ so it finds Data/.
#include "GuiExample.h"

#include <SDL.h>
#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    (void)argc;
    (void)argv;
    try {
        GuiExample app;
        app.Init();
        app.Run();
        app.Shutdown();
    } catch (const std::string& message) {
        std::fprintf(stderr, "%s\n", message.c_str());
        SDL_Quit();
        return 1;
    }
    return 0;
}
