// The least an SDL 1.2 OpenGL program can do per frame: clear a 1024x768 full-screen window and swap.
// Like the viewer it shows its frame rate in the window caption, once a second, so both are measured
// the same way. Escape or closing the window ends it.
#include <GL/gl.h>
#include <SDL.h>
#include <cstdio>

int main(int argc, char* argv[]) {
    (void)argc;
    (void)argv;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    if (!SDL_SetVideoMode(1024, 768, 24, SDL_OPENGL | SDL_FULLSCREEN)) {
        std::fprintf(stderr, "SDL_SetVideoMode: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_WM_SetCaption("Empty Window", "");
    Uint32 reported = SDL_GetTicks();
    int frames = 0;
    for (;;) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT ||
                (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)) {
                SDL_Quit();
                return 0;
            }
        }
        glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapBuffers();
        ++frames;
        Uint32 now = SDL_GetTicks();
        if (now - reported > 1000) {
            char caption[64];
            std::snprintf(caption, sizeof caption, "Empty Window Current FPS: %d", frames);
            SDL_WM_SetCaption(caption, "");
            frames = 0;
            reported = now;
        }
    }
}
