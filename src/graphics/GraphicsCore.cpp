#include "graphics/GraphicsCore.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "textures/MousePointer.h"
#include "textures/Texture.h"
#ifndef __EMSCRIPTEN__
#include "graphics/OffscreenContext.h"
#endif

#include <SDL.h>
#include <cstdio>
#include <cstring>

namespace {

// Asked for before the video mode opens, by a program that only saves pictures.
bool drawOffscreen = false;

} // namespace

void CGraphicsCore::DrawOffscreen(bool on) {
    drawOffscreen = on;
}

CGraphicsCore::CGraphicsCore()
    : videoFlags(0), width(kDefaultWidth), height(kDefaultHeight), bpp(16), caption("Korvel Engine"),
      extensions(nullptr), wireframe(false), mode3D(false) {}

bool CGraphicsCore::ContextAlive() {
    return CTexture::ContextAlive();
}

CGraphicsCore::~CGraphicsCore() {
#ifndef __EMSCRIPTEN__
    delete offscreen;
#endif
    delete[] extensions;
    SDL_Quit();
}

void CGraphicsCore::InitVideo(int width, int height, int bpp, bool fullscreen, bool mode2D) {
    SetVideoMode(width, height, bpp, fullscreen, mode2D);
    GLenum result = glewInit();
#ifndef __EMSCRIPTEN__
    // With no X server GLEW finds the context's entry points, then misses GLX, which is not used.
    if (offscreen && result == GLEW_ERROR_NO_GLX_DISPLAY) {
        result = GLEW_OK;
    }
#endif
    if (result != GLEW_OK) {
        std::fprintf(stderr, "Error: %s\n", reinterpret_cast<const char*>(glewGetErrorString(result)));
    }
#ifndef __EMSCRIPTEN__
    if (offscreen && !offscreen->Bind(width, height)) {
        throw std::string("Error: no framebuffer of ") + std::to_string(width) + " x " + std::to_string(height) +
            " pixels to draw into offscreen";
    }
#endif
}

void CGraphicsCore::SetVideoMode(int width, int height, int bpp, bool fullscreen, bool mode2D) {
    this->width = static_cast<uint32_t>(width);
    this->height = static_cast<uint32_t>(height);
    this->bpp = bpp;
    mode3D = !mode2D;

#ifndef __EMSCRIPTEN__
    if (drawOffscreen) {
        OpenOffscreen(width, height, bpp);
    } else
#endif
    {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            throw std::string("Error: SDL Could not be initialized: ") + SDL_GetError();
        }
        PrepareVideoMode(fullscreen);
        if (!SDL_SetVideoMode(width, height, bpp, videoFlags)) {
            throw std::string("Error: SDL Could not create Video Surface.") + SDL_GetError();
        }
    }
    if (mode2D) {
        Begin2D();
    } else {
        SetPerspective(width, height);
    }
}

#ifndef __EMSCRIPTEN__
void CGraphicsCore::OpenOffscreen(int width, int height, int bpp) {
    // SDL still keeps time and events, on its window-less driver; OpenGL comes from EGL.
    SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || !SDL_SetVideoMode(width, height, bpp, SDL_SWSURFACE)) {
        throw std::string("Error: SDL Could not be initialized: ") + SDL_GetError();
    }
    offscreen = new COffscreenContext();
    const char* error = "";
    if (!offscreen->Create(error)) {
        throw std::string("Error: cannot draw without a display: ") + error;
    }
}
#endif

void CGraphicsCore::PrepareVideoMode(bool fullscreen) {
    videoFlags = SDL_OPENGL | SDL_HWPALETTE;
    if (fullscreen) {
        videoFlags |= SDL_FULLSCREEN;
    }
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (!info) {
        // Without the video info the flags cannot be completed, and SDL is shut down: going on would
        // open a mode on a dead video subsystem, so start-up ends here like any other video failure.
        std::string error = SDL_GetError();
        std::fprintf(stderr, "Failed getting Video Info : %s\n", error.c_str());
        SDL_Quit();
        throw std::string("Error: SDL Could not get Video Info: ") + error;
    }
    if (info->hw_available) {
        videoFlags |= SDL_HWSURFACE;
    }
    if (info->blit_hw) {
        videoFlags |= SDL_HWACCEL;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The colour depth doubles as the depth-buffer size.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, bpp);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
}

void CGraphicsCore::SetPerspective(int width, int height) {
    int h = height == 0 ? 1 : height;
    glViewport(0, 0, width, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, static_cast<double>(width) / static_cast<double>(h), kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    glDisable(GL_LIGHTING);
}

void CGraphicsCore::Begin2D() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
}

void CGraphicsCore::End2D() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    // Nothing was pushed on the model-view stack by Begin2D: this pop underflows and leaves the
    // model-view as the 2D code left it, which callers drawing after the update rely on.
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDepthFunc(GL_LEQUAL);
}

void CGraphicsCore::PushOrtho() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glOrtho(0, width, height, 0, -1, 1);
}

void CGraphicsCore::SetWireframe(bool on) {
    wireframe = on;
    glPolygonMode(GL_FRONT_AND_BACK, on ? GL_LINE : GL_FILL);
}

void CGraphicsCore::ShowCursor(bool show) {
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void CGraphicsCore::SetMousePointer(const char* file) {
    if (mousePointer) {
        mousePointer->Set(file);
    }
}

void CGraphicsCore::SetSecondMousePointer(const char* file) {
    if (mousePointer) {
        mousePointer->SetSecond(file);
    }
}

void CGraphicsCore::SetMousePointers(const char* first, const char* second) {
    if (mousePointer) {
        mousePointer->SetBoth(first, second);
    }
}

void CGraphicsCore::SelectMousePointer(bool second) {
    if (mousePointer) {
        mousePointer->Select(second);
    }
}

void CGraphicsCore::DrawMousePointer() {
    if (mousePointer) {
        mousePointer->Draw();
    }
}

void CGraphicsCore::ReleaseMousePointers() {
    if (mousePointer) {
        mousePointer->Release();
    }
}

namespace {

// glGetString answers null without a context; callers print the result, so give them "".
const char* GLString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

} // namespace

const char* CGraphicsCore::GetVendor() const {
    return GLString(GL_VENDOR);
}

const char* CGraphicsCore::GetRenderer() const {
    return GLString(GL_RENDERER);
}

const char* CGraphicsCore::GetVersion() const {
    return GLString(GL_VERSION);
}

void CGraphicsCore::LoadExtensions() {
    glEnable(GL_SCISSOR_TEST);
    const char* source = GLString(GL_EXTENSIONS);
    delete[] extensions;
    size_t length = std::strlen(source);
    extensions = new char[length + 1];
    std::memcpy(extensions, source, length + 1);
    glDisable(GL_SCISSOR_TEST);
}

void CGraphicsCore::SetCaption(const char* text) {
    caption = text ? text : "";
    SDL_WM_SetCaption(caption.c_str(), "");
}

std::string CGraphicsCore::GetCaption() const {
    return caption;
}
