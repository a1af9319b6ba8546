/// \class CEngine
/// The engine kernel: creates every manager in a fixed order into the registry slots, drives the
/// engine's share of each frame and destroys the managers in its own fixed order.
#pragma once

class CMousePointer;

class CEngine {
public:
    /// Prints the start-up log and creates the ten managers and the mouse pointer.
    CEngine();
    /// Destroys the managers; every slot is null afterwards.
    ~CEngine();

    /// Opens the video mode, reports the GL driver, loads the built-in shaders and font 1.
    void InitVideo(int width, int height, int bpp, bool fullscreen, bool mode2D);
    /// The engine's share of one frame: events, 2D overlay, GUI, pointer, FPS line, 2D offset.
    void Update();
    /// Turns the frame-rate measurement and the FPS line on or off.
    void SetShowFPS(bool value);
    /// Whether the FPS line is drawn.
    bool GetShowFPS() const { return showFPS; }
    /// Requests SDL's event thread; throws a std::string when SDL refuses.
    void InitEventThread();
    /// Destroys the managers in shutdown order; safe to run twice.
    void DestroyManagers();

    /// Whether the engine, when constructed, keeps the C library's heap from giving freed memory back
    /// to the system (on by default; glibc only). The GL driver frees and takes again tens of MiB every
    /// frame, which glibc's default trimming would hand back and fault in again each frame. A program
    /// that tunes its allocator itself turns this off before constructing the engine; a malloc setting
    /// in GLIBC_TUNABLES is left to stand either way.
    static void SetHeapKeeping(bool on);

    CEngine(const CEngine&) = delete;
    CEngine& operator=(const CEngine&) = delete;

private:
    void Initialize();

    bool showFPS;
    /// The software pointer, linked to the graphics core for its pointer operations.
    CMousePointer* mousePointer = nullptr;
};
