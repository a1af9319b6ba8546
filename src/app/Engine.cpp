#include "app/Engine.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "camera/Camera.h"
#include "camera/CameraManager.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"
#include "gui/WindowManager.h"
#include "input/EventManager.h"
#include "base/Version.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"
#include "text/Font.h"
#include "text/FontManager.h"
#include "textures/MousePointer.h"
#include "textures/TextureManager.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Closes one start-up row: a slot left empty is reported, SDL is shut down, and start-up goes on.
template <typename T> void CloseRow(T* slot, const char* failure) {
    if (!slot) {
        std::cout << failure << std::endl;
        SDL_Quit();
    }
    std::cout << "done" << std::endl;
}

// Creates a manager after its message is written.
template <typename T> void CreateAfterMessage(T*& slot, const char* message, const char* failure) {
    std::cout << message << std::flush;
    slot = new T;
    CloseRow(slot, failure);
}

// Creates a manager before its message is written, so whatever its constructor prints comes first.
template <typename T> void CreateBeforeMessage(T*& slot, const char* message, const char* failure) {
    slot = new T;
    std::cout << message << std::flush;
    CloseRow(slot, failure);
}

template <typename T> void Destroy(T*& slot) {
    delete slot;
    slot = nullptr;
}

bool heapKeeping = true;

// glibc gives the top of its heap back to the system once more than the trim threshold (128 KiB at
// first) lies free there, and serves blocks from 128 KiB up with mappings of their own, unmapped when
// freed. llvmpipe bins a frame's triangles into blocks it frees when the frame is drawn: tens of MiB
// for a crowd, faulted in again page by page every frame (thousands of minor faults a frame) unless
// something the allocator keeps happens to lie above them. Keeping up to 256 MiB free on the heap, and mapping only blocks from
// 32 MiB up (the highest glibc's own adjustment would reach), lets the next frame reuse them.
void KeepHeap() {
#ifdef __GLIBC__
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (!heapKeeping || (tunables && std::strstr(tunables, "glibc.malloc."))) {
        return;
    }
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

} // namespace

void CEngine::SetHeapKeeping(bool on) {
    heapKeeping = on;
}

CEngine::CEngine() : showFPS(false) {
    KeepHeap();
    gGraphicsCore = nullptr;
    gTextureManager = nullptr;
    gWindowManager = nullptr;
    gEventManager = nullptr;
    gUtils = nullptr;
    gSoundManager = nullptr;
    gShaderManager = nullptr;
    gCamera = nullptr;
    gCameraManager = nullptr;
    gFontManager = nullptr;
    Initialize();
}

CEngine::~CEngine() {
    DestroyManagers();
}

void CEngine::Initialize() {
    std::cout << std::endl << "Korvel Engine version " KORVEL_VERSION "..." << std::endl << std::endl;

    CreateAfterMessage(gGraphicsCore, "Initialize Graphics Core...", "Unable to initialize Graphics Core!");
    CreateAfterMessage(gTextureManager, "Initialize Texture Manager...",
                       "Unable to initialize Texture Manager Core!");
    mousePointer = new CMousePointer;
    if (gGraphicsCore) {
        gGraphicsCore->mousePointer = mousePointer;
    }
    CreateAfterMessage(gWindowManager, "Initialize Window Manager...",
                       "Unable to initialize Window Manager Core!");

    std::cout << "Initialize Event Manager..." << std::flush;
    InitEventThread();
    gEventManager = new CEventManager;
    CloseRow(gEventManager, "Unable to initialize Event Manager!");

    CreateAfterMessage(gUtils, "Initialize Utils...", "Unable to initialize Utils!");
    CreateBeforeMessage(gSoundManager, "Initialize Sound Manager...", "Unable to initialize Sound Manager!");
    CreateBeforeMessage(gShaderManager, "Initialize Shader Manager...", "Unable to initialize Shader Unit!");
    CreateBeforeMessage(gCamera, "Initialize the Camera...", "Unable to initialize the Camera Unit!");
    CreateAfterMessage(gCameraManager, "Initialize the Camera Manager...",
                       "Unable to initialize the Camera Manager Core!");
    CreateAfterMessage(gFontManager, "Initialize the Font Manager...",
                       "Unable to initialize the Font Manager Core!");
}

void CEngine::InitEventThread() {
    if (SDL_InitSubSystem(SDL_INIT_EVENTTHREAD) != 0) {
        throw std::string("Error: SDL Eventhread cannot not be initialized: ") + SDL_GetError();
    }
}

void CEngine::InitVideo(int width, int height, int bpp, bool fullscreen, bool mode2D) {
    gGraphicsCore->InitVideo(width, height, bpp, fullscreen, mode2D);

    std::cout << std::endl;
    std::cout << "Detected Video Card Vendor: " << gGraphicsCore->GetVendor() << std::endl;
    std::cout << "Detected Renderer: " << gGraphicsCore->GetRenderer() << std::endl;
    std::cout << "Detected OpenGL version: " << gGraphicsCore->GetVersion() << std::endl;

    // The font draws through shader 0, so the shaders come first.
    gShaderManager->LoadBuiltInShaders();
    gFontManager->LoadFont("Data/Font/font.tga");
}

void CEngine::Update() {
    gEventManager->Update();
    gGraphicsCore->Begin2D();
    glLoadIdentity();
    gWindowManager->Update();
    if (mousePointer->softwarePointer) {
        mousePointer->Draw();
    }
    if (showFPS) {
        gUtils->UpdateFPS();
        if (CFont* font = gFontManager->GetFont(1)) {
            font->Print(1, 1, 0, "Current FPS %d", gUtils->GetFPS());
        }
    }
    gCameraManager->Apply();
    if (gGraphicsCore->mode3D) {
        gGraphicsCore->End2D();
    } else {
        // In 2D mode the overlay projection stays in place, but the copy Begin2D pushed this frame is
        // dropped so the projection stack does not grow by one every frame.
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
}

void CEngine::SetShowFPS(bool value) {
    showFPS = value;
}

void CEngine::DestroyManagers() {
    // The pointer's images go while the graphics core still holds the GL context.
    if (gGraphicsCore) {
        gGraphicsCore->mousePointer = nullptr;
    }
    Destroy(mousePointer);
    Destroy(gGraphicsCore);
    Destroy(gFontManager);
    Destroy(gUtils);
    Destroy(gTextureManager);
    Destroy(gWindowManager);
    Destroy(gEventManager);
    Destroy(gSoundManager);
    Destroy(gShaderManager);
    Destroy(gCamera);
    Destroy(gCameraManager);
}
