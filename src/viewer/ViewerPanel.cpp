#include "viewer/ViewerPanel.h"

#include "base/Registry.h"
#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiList.h"
#include "gui/GuiStaticText.h"
#include "gui/GuiTextField.h"
#include "gui/GuiWindow.h"
#include "gui/WindowManager.h"
#include "input/EventManager.h"

#include <iterator>

namespace {

// The ids the panel's widgets report; clear of anything else in the viewer.
enum PanelId {
    kPanelWindow = 40,
    kAnimationList = 4000,
    kSkinList,
    kModelList,
    kFilterField,
    kFirstButton,
    kFirstCheck = kFirstButton + 16,
};

struct PanelButton {
    const char* art;
    ViewerAction action;
    const char* hover;
};

const PanelButton kButtons[] = {
    {"Data/GUI/button_back", ViewerAction::StepBack, "One key frame back (,)"},
    {"Data/GUI/button_play", ViewerAction::Pause, "Pause or go on (Space)"},
    {"Data/GUI/button_forward", ViewerAction::StepOn, "One key frame on (.)"},
    {"Data/GUI/button_slower", ViewerAction::Slower, "Half the speed ([)"},
    {"Data/GUI/button_faster", ViewerAction::Faster, "Twice the speed (])"},
};

struct PanelCheck {
    const char* label;
    ViewerAction action;
};

const PanelCheck kChecks[] = {{"Wireframe", ViewerAction::Wireframe},
                              {"Culling", ViewerAction::Culling},
                              {"Overlay", ViewerAction::Overlay},
                              {"Grid", ViewerAction::Grid}};

const char* const kListArt = "Data/GUI/list_";
const float kWidth = static_cast<float>(CViewerPanel::kRight - CViewerPanel::kLeft);
// Where the buttons print what they do: above the panel, right of the help lines.
const float kHoverX = static_cast<float>(CViewerPanel::kLeft), kHoverY = 78.0f;

void Label(CGuiWindow& window, const char* text, float x, float y) {
    window.AddStaticText(new CGuiStaticText(text, x, y));
}

} // namespace

CViewerPanel::CViewerPanel()
    : window(new CGuiWindow(kLeft, kTop, kRight, kBottom, "Data/GUI/panel.png", true, 1.0f, 0, kPanelWindow,
                            false)) {
    Label(*window, "Animations", 10, 6);
    animations = new CGuiList(kListArt, 8, kAnimationsTop, kWidth - 16, 148, kAnimationList);
    window->AddList(animations);
    Label(*window, "Skins", 10, 178);
    skins = new CGuiList(kListArt, 8, kSkinsTop, kWidth - 16, 76, kSkinList);
    window->AddList(skins);
    filter = new CGuiTextField("Data/GUI/textfield.png", 90, kFilterTop, kWidth - 98, 22, kFilterField);
    filter->SetPlaceholder("click to filter");
    models = new CGuiList(kListArt, 8, kModelsTop, kWidth - 16, 148, kModelList);
    modelsLabel = new CGuiStaticText("", 10, 282);
    window->AddStaticText(modelsLabel);
    SetModels({});
    window->AddTextField(filter);
    window->AddList(models);
    float x = 8.0f;
    for (const PanelButton& item : kButtons) {
        auto* button = new CGuiButton(item.art, 5, x, 464, kFirstButton + static_cast<int>(&item - kButtons));
        button->SetHoverText(item.hover, 1.0f, 1.0f, 1.0f, 1.0f, kHoverX, kHoverY);
        window->AddButton(button);
        x += 62.0f;
    }
    for (const PanelCheck& item : kChecks) {
        const int i = static_cast<int>(&item - kChecks);
        const float cx = 8.0f + 156.0f * static_cast<float>(i % 2),
                    cy = 504.0f + 34.0f * static_cast<float>(i / 2);
        auto* box =
            new CGuiCheckBox("Data/GUI/checkbox_off", 4, "Data/GUI/checkbox_on", 4, cx, cy, kFirstCheck + i);
        window->AddCheckBox(box);
        checks.push_back(box);
        Label(*window, item.label, cx + 36.0f, cy + 6.0f);
    }
    window->SetVisible(true);
    gWindowManager->AddWindow(window);
}

void CViewerPanel::SetVisible(bool visible) {
    window->SetVisible(visible);
}

bool CViewerPanel::IsVisible() const {
    return window->IsVisible();
}

void CViewerPanel::SetAnimations(const std::vector<std::string>& names) {
    animations->SetItems(names);
    shown.animation = -1;
}

void CViewerPanel::SetSkins(const std::vector<std::string>& names) {
    skins->SetItems(names);
    shown.skin = -1;
}

void CViewerPanel::SetModels(const std::vector<std::string>& paths) {
    models->SetItems(paths);
    models->SetVisible(!paths.empty());
    filter->SetVisible(!paths.empty());
    modelsLabel->SetText(paths.empty() ? "" : "Models");
    shown.model = -1;
}

void CViewerPanel::Show(const PanelState& state) {
    const bool checked[] = {state.wireframe, state.culling, state.overlay, state.grid};
    for (size_t i = 0; i < checks.size(); ++i) {
        checks[i]->SetChecked(checked[i]);
    }
    const std::pair<CGuiList*, int> marks[] = {
        {animations, state.animation}, {skins, state.skin}, {models, state.model}};
    const int before[] = {shown.animation, shown.skin, shown.model};
    for (size_t i = 0; i < 3; ++i) {
        marks[i].first->SetMarked(marks[i].second);
        if (marks[i].second != before[i] && marks[i].second >= 0) {
            marks[i].first->ScrollToItem(static_cast<size_t>(marks[i].second));
        }
    }
    shown = state;
}

PanelRequest CViewerPanel::Take() {
    PanelRequest request;
    const int clicked = gEventManager->GetClickedWidget();
    if (!window->IsVisible() || clicked < kAnimationList) {
        return request;
    }
    if (clicked == kFilterField) {
        models->SetFilter(filter->GetText());
        if (shown.model >= 0) {
            models->ScrollToItem(static_cast<size_t>(shown.model));
        }
    } else if (clicked == kAnimationList || clicked == kSkinList || clicked == kModelList) {
        const CGuiList* list = clicked == kAnimationList ? animations : clicked == kSkinList ? skins : models;
        request.kind = clicked == kAnimationList ? PanelRequest::Animation
                       : clicked == kSkinList    ? PanelRequest::Skin
                                                 : PanelRequest::Model;
        request.index = list->GetPressedItem();
    } else if (clicked >= kFirstCheck && clicked < kFirstCheck + static_cast<int>(std::size(kChecks))) {
        request.kind = PanelRequest::Action;
        request.action = kChecks[clicked - kFirstCheck].action;
    } else if (clicked >= kFirstButton && clicked < kFirstButton + static_cast<int>(std::size(kButtons))) {
        request.kind = PanelRequest::Action;
        request.action = kButtons[clicked - kFirstButton].action;
    }
    return request;
}

bool CViewerPanel::Covers(int x, int y) const {
    return window->IsVisible() && x >= kLeft && x <= kRight && y >= kTop && y <= kBottom;
}

bool CViewerPanel::TookKey() const {
    return window->IsVisible() && filter->TookKey();
}
