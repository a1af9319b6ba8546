// hello: a window with the Korvel logo and a line of text; Escape or closing the window ends it.
#include <korvel/Korvel.h>

class Hello : public CApp {
public:
    void Init() override {
        engine->InitVideo(640, 480, 24, false, false);
        gGraphicsCore->SetCaption("Hello Korvel");
        logo = new CImage("Data/Logo/kvxlogo.png");
    }
    void Run() override {
        while (!gEventManager->IsKeyDown(SDLK_ESCAPE) && !gEventManager->IsEvent(EventQuit)) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glLoadIdentity();
            gFontManager->GetFont(1)->Print(20, 20, 0, "Hello from the Korvel Engine");
            engine->Update(); // takes this frame's event
            gGraphicsCore->Begin2D();
            logo->Draw(220.0f, 200.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
            gGraphicsCore->End2D();
            SDL_GL_SwapBuffers();
        }
    }
    void Shutdown() override { delete logo; }
    void Reserved1() override {}
    void Reserved2() override {}

private:
    CImage* logo = nullptr;
};

int main() {
    EnterDataFolder(); // the installed Data/ and shaders/ when this folder has none
    return RunApp([] { return new Hello; });
}
