/// \class CGraphicsCore
/// The display manager: SDL video start-up, the OpenGL mode, the 3D perspective and the 2D overlay,
/// the window caption and the optional software mouse pointer.
#pragma once

#include <cstdint>
#include <string>

class CMousePointer;
class COffscreenContext;

class CGraphicsCore {
public:
    /// The window opened when no other size is asked for: the application's default and the
    /// viewer's scene.
    static constexpr int kDefaultWidth = 1024;
    static constexpr int kDefaultHeight = 768; ///< The default window's height, as above.
    /// Stores defaults only; no SDL or OpenGL call.
    CGraphicsCore();
    /// Releases the extension copy, then shuts SDL down.
    ~CGraphicsCore();

    /// Opens the video mode, then starts GLEW (a GLEW failure is reported and start-up goes on).
    void InitVideo(int width, int height, int bpp, bool fullscreen, bool mode2D);
    /// Draws into an offscreen framebuffer with no window and no display (Mesa's EGL, surfaceless)
    /// instead of opening a window: for programs that only save pictures, asked for before the video
    /// mode opens. Off by default.
    static void DrawOffscreen(bool on);
    /// SDL video start-up, the OpenGL surface and the initial projection; throws std::string on failure.
    void SetVideoMode(int width, int height, int bpp, bool fullscreen, bool mode2D);
    /// Computes the video flags and sets the OpenGL attributes.
    void PrepareVideoMode(bool fullscreen);
    /// The perspective of every 3D frame: vertical field of view in degrees, near and far planes.
    static constexpr double kFieldOfView = 60.0;
    static constexpr double kNearPlane = 1.0;   ///< Distance of the near clipping plane.
    static constexpr double kFarPlane = 4000.0; ///< Distance of the far clipping plane.
    /// Viewport, 60-degree perspective and the 3D default state.
    void SetPerspective(int width, int height);
    /// Enters the 2D overlay: window pixels, origin top-left, y down.
    void Begin2D();
    /// Leaves the 2D overlay and restores the 3D projection.
    void End2D();
    /// Pushes both matrices and multiplies an orthographic matrix onto the model-view.
    void PushOrtho();
    /// Polygon mode for both faces: lines when on, filled otherwise.
    void SetWireframe(bool on);
    /// Shows or hides the system mouse cursor.
    void ShowCursor(bool show);
    /// The software pointer's operations, kept for callers: each forwards to the kernel's pointer
    /// (see CMousePointer) and does nothing without one.
    void SetMousePointer(const char* file);
    void SetSecondMousePointer(const char* file);                 ///< See CMousePointer::SetSecond.
    void SetMousePointers(const char* first, const char* second); ///< See CMousePointer::SetBoth.
    void SelectMousePointer(bool second);                         ///< See CMousePointer::Select.
    void DrawMousePointer();                                      ///< See CMousePointer::Draw.
    void ReleaseMousePointers();                                  ///< See CMousePointer::Release.
    const char* GetVendor() const;   ///< The GL driver's vendor string.
    const char* GetRenderer() const; ///< The GL driver's renderer string.
    const char* GetVersion() const;  ///< The GL version string.
    /// Copies the OpenGL extension string into `extensions`.
    void LoadExtensions();
    /// Stores and shows a new window caption.
    void SetCaption(const char* text);
    std::string GetCaption() const; ///< The window caption.
    /// True while there is an OpenGL context to make calls on (see CTexture::ContextAlive).
    static bool ContextAlive();

    CGraphicsCore(const CGraphicsCore&) = delete;
    CGraphicsCore& operator=(const CGraphicsCore&) = delete;

    uint32_t videoFlags;        ///< SDL video flags of the mode.
    uint32_t width;             ///< Width of the mode in pixels.
    uint32_t height;            ///< Height of the mode in pixels.
    int32_t bpp;                ///< Bits per pixel of the mode.
    /// The software pointer, owned by the kernel, which links it here; null without a kernel.
    CMousePointer* mousePointer = nullptr;
    std::string caption;        ///< The window caption.
    char* extensions;           ///< The OpenGL extension string, copied by LoadExtensions.
    bool wireframe;             ///< Polygons are drawn as lines.
    bool mode3D;                ///< The 3D projection is in place (false while the overlay's 2D mode is).
    COffscreenContext* offscreen = nullptr; ///< The window-less context, when drawing offscreen.

private:
    /// SDL on its window-less driver and an offscreen OpenGL context.
    void OpenOffscreen(int width, int height, int bpp);
};
