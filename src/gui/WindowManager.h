/// \class CWindowManager
/// The engine manager that owns the GUI windows: it updates and draws the visible ones once per
/// frame, in the order they were added (a later window is drawn over an earlier one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CGuiWindow;

class CWindowManager {
public:
    CWindowManager();
    /// Destroys every window, hidden ones included, first to last.
    ~CWindowManager();

    /// Takes ownership of a heap-allocated window. Null, or a window already held, is ignored.
    void AddWindow(CGuiWindow* window);
    /// Activates (and so shows) every window with this id.
    void ShowWindow(int32_t id);
    /// Clears every window's active mark; visibility stays.
    void DeactivateAll();
    /// Updates and draws every visible window.
    void Update();
    /// How many windows are listed.
    size_t GetWindowCount() const { return windows.size(); }

    CWindowManager(const CWindowManager&) = delete;
    CWindowManager& operator=(const CWindowManager&) = delete;

private:
    std::vector<CGuiWindow*> windows;
};
