// The viewer's panel and timeline: made when a model or an archive is given, filled from the model
// and the archive being browsed, and turned into the same actions as the keys.
#include "viewer/Viewer.h"

#include "base/Registry.h"
#include "files/FileSystem.h"
#include "input/EventManager.h"
#include "models/MD2Model.h"

bool CViewer::PanelWanted() const {
    return options.screenshot.empty() && options.sheet.empty() &&
           (!options.model.empty() || !options.browse.empty());
}

bool CViewer::OnPanel(int x, int y) const {
    return panel && panel->IsVisible() && (panel->Covers(x, y) || CViewerTimeline::Covers(x, y));
}

void CViewer::SyncPanel() {
    if (!panel && PanelWanted()) {
        panel = std::make_unique<CViewerPanel>();
        timeline = std::make_unique<CViewerTimeline>();
    }
    if (!panel) {
        return;
    }
    if (panelStale) {
        const ModelData& data = model->GetData();
        std::vector<std::string> names;
        for (int i = 0; i < data.animationCount; ++i) {
            const Animation& animation = data.animations[static_cast<size_t>(i)];
            names.push_back(animation.name + " " + std::to_string(animation.firstFrame) + "-" +
                            std::to_string(LastKeyFrame(data.animations, i)));
        }
        panel->SetAnimations(names);
        names.clear();
        for (const Skin& skin : skins) {
            names.push_back(CFileSystem::FileNameOf(skin.path));
        }
        panel->SetSkins(names);
        names.clear();
        for (size_t i = 0; i < catalog.Count(); ++i) {
            names.push_back(catalog.Inner(i));
        }
        panel->SetModels(names);
        panelStale = false;
    }
    PanelState state;
    state.animation = model->GetData().animationCount > 0 ? model->GetData().currentAnimation : -1;
    state.skin = skins.empty() ? -1 : static_cast<int>(skinIndex);
    state.model = catalog.Empty() ? -1 : static_cast<int>(catalog.Current());
    state.wireframe = wireframe;
    state.culling = model->GetBackFaceCulling();
    state.overlay = overlay;
    state.grid = grid;
    panel->Show(state);
}

void CViewer::TakePanel() {
    if (!panel) {
        return;
    }
    if (panel->IsVisible()) {
        timeline->HandleMouse(*model);
    }
    const PanelRequest request = panel->Take();
    switch (request.kind) {
    case PanelRequest::None:
        break;
    case PanelRequest::Action:
        // The panel's step buttons pause first, where the keys only step a paused model.
        if ((request.action == ViewerAction::StepBack || request.action == ViewerAction::StepOn) &&
            !model->IsPaused()) {
            model->SetPaused(true);
        }
        Act(request.action, 0);
        break;
    case PanelRequest::Animation:
        if (request.index >= 0 && request.index < model->GetData().animationCount) {
            model->SetAnimation(request.index);
        }
        break;
    case PanelRequest::Skin:
        if (request.index >= 0 && static_cast<size_t>(request.index) < skins.size()) {
            ShowSkin(static_cast<size_t>(request.index));
        }
        break;
    case PanelRequest::Model:
        if (request.index >= 0 && static_cast<size_t>(request.index) < catalog.Count()) {
            catalog.Step(request.index - static_cast<int>(catalog.Current()));
            OpenFromCatalog(1);
        }
        break;
    }
}
