/// \class COffscreenContext
/// An OpenGL context with no window and no display: Mesa's EGL on its surfaceless platform, drawing
/// into a framebuffer object of the window's size. Programs that only save pictures (a screenshot, a
/// contact sheet, a thumbnailer) draw through it on a machine with no X server.
#pragma once

class COffscreenContext {
public:
    /// Holds nothing until Create.
    COffscreenContext() = default;
    /// Destroys the framebuffer and the context.
    ~COffscreenContext();
    COffscreenContext(const COffscreenContext&) = delete;
    COffscreenContext& operator=(const COffscreenContext&) = delete;

    /// Creates the context and makes it current. False, with the reason in `error`, when EGL or its
    /// surfaceless platform is missing.
    bool Create(const char*& error);
    /// Makes a framebuffer of width x height (colour and depth) the one drawn into and read from;
    /// needs the GL entry points (after GLEW).
    bool Bind(int width, int height);

private:
    void* display = nullptr;
    void* context = nullptr;
    unsigned framebuffer = 0;
    unsigned colour = 0;
    unsigned depth = 0;
};
