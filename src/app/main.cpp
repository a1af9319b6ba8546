// The viewer's process entry: one application object driven through its lifecycle.
#include "demo/SimpleWindow.h"

#include <SDL.h>
#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    (void)argc;
    (void)argv;
    // A fatal start-up message is printed and ends the process with a failure status instead of
    // an uncaught exception.
    try {
        SimpleWindow app;
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
