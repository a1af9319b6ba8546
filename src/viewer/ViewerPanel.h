// The viewer's panel at the right of the window, made of the engine's GUI: the model's animations
// with their frame ranges and its skins, the models of the archive or folder being browsed (with a
// filter), playback buttons and check boxes for what the W, C and I keys switch and the grid. The
// window manager owns its window; the panel keeps what to show in step with the viewer and tells it
// what was asked for in a frame.
#pragma once

#include "viewer/ViewerCommands.h"

#include <string>
#include <vector>

class CGuiCheckBox;
class CGuiList;
class CGuiStaticText;
class CGuiTextField;
class CGuiWindow;

// What the panel shows checked, and which of its rows are the current ones.
struct PanelState {
    int animation = -1, skin = -1, model = -1;
    bool wireframe = false, culling = false, overlay = false, grid = true;
};

// One thing asked for through the panel: an action of the key table, or playing animation `index`,
// showing skin `index` or opening model `index` of the lists.
struct PanelRequest {
    enum Kind { None, Action, Animation, Skin, Model } kind = None;
    ViewerAction action = ViewerAction::Quit;
    int index = -1;
};

class CViewerPanel {
public:
    // The panel's place in the window, in pixels.
    static constexpr int kLeft = 700, kTop = 100, kRight = 1020, kBottom = 680;
    // The tops of the animation, skin and model lists and of the model filter, in the panel.
    static constexpr int kAnimationsTop = 24, kSkinsTop = 196, kModelsTop = 304, kFilterTop = 279;

    // Makes the panel's window (shown) and hands it to the window manager.
    CViewerPanel();

    void SetVisible(bool visible);
    bool IsVisible() const;
    // The rows of the three lists; the model list and its filter show only while there are models.
    void SetAnimations(const std::vector<std::string>& names);
    void SetSkins(const std::vector<std::string>& names);
    void SetModels(const std::vector<std::string>& paths);
    // Checks the boxes and marks the rows as the viewer stands; a newly current row is scrolled into view.
    void Show(const PanelState& state);
    // What the GUI pass of this frame asked for through the panel.
    PanelRequest Take();
    // Whether the visible panel lies under the window pixel (x, y), where the mouse is the panel's.
    bool Covers(int x, int y) const;
    // Whether this frame's key went to the model filter, not to the viewer's keys.
    bool TookKey() const;

private:
    CGuiWindow* window;
    CGuiList* animations;
    CGuiList* skins;
    CGuiList* models;
    CGuiTextField* filter;
    CGuiStaticText* modelsLabel;
    std::vector<CGuiCheckBox*> checks;
    PanelState shown;
};
