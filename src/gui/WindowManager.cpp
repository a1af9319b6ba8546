#include "gui/WindowManager.h"

#include "gui/GuiWindow.h"

#include <algorithm>

CWindowManager::CWindowManager() = default;

CWindowManager::~CWindowManager() {
    for (CGuiWindow* window : windows) {
        delete window;
    }
}

void CWindowManager::AddWindow(CGuiWindow* window) {
    // The manager deletes what it holds, so holding a window twice would delete it twice.
    if (window && std::find(windows.begin(), windows.end(), window) == windows.end()) {
        windows.push_back(window);
    }
}

void CWindowManager::ShowWindow(int32_t id) {
    for (CGuiWindow* window : windows) {
        if (window->GetId() == id) {
            window->SetActive(true);
        }
    }
}

void CWindowManager::DeactivateAll() {
    for (CGuiWindow* window : windows) {
        window->SetActive(false);
    }
}

void CWindowManager::Update() {
    for (CGuiWindow* window : windows) {
        if (window->IsVisible()) {
            window->Update();
        }
    }
}
