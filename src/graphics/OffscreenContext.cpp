#include "graphics/OffscreenContext.h"

#include "base/GL.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

COffscreenContext::~COffscreenContext() {
    if (!context) {
        return;
    }
    if (framebuffer) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(1, &colour);
        glDeleteRenderbuffers(1, &depth);
        glDeleteFramebuffers(1, &framebuffer);
    }
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglTerminate(display);
}

bool COffscreenContext::Create(const char*& error) {
    const auto platformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    display = platformDisplay ? platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                              : EGL_NO_DISPLAY;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        display = nullptr;
        error = "EGL has no surfaceless platform";
        return false;
    }
    // The engine draws with the fixed pipeline and its own GLSL programs: a compatibility context,
    // made without a configuration since nothing is drawn to an EGL surface.
    if (!eglBindAPI(EGL_OPENGL_API) ||
        (context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr)) == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        if (context) {
            eglDestroyContext(display, context);
        }
        context = nullptr;
        eglTerminate(display);
        error = "EGL cannot make an OpenGL context without a surface";
        return false;
    }
    return true;
}

bool COffscreenContext::Bind(int width, int height) {
    if (!context || !glGenFramebuffers) {
        return false;
    }
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    // A context made current on a window starts with its viewport and scissor box on the whole
    // window; one with no surface starts with them empty.
    glViewport(0, 0, width, height);
    glScissor(0, 0, width, height);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}
