// gui-lists-example: the GUI's list and text field. A window holds a list of 200 names that scrolls
// with the wheel and its bar, and a field above it; type into the field (press it first) and the list
// keeps the names that contain what was typed. A press on a name marks it and prints it.
#include "../common/Example.h"

#include <korvel/gui/GuiList.h>
#include <korvel/gui/GuiStaticText.h>
#include <korvel/gui/GuiTextField.h>
#include <korvel/gui/GuiWindow.h>
#include <korvel/gui/WindowManager.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int ListId = 1;
const int FieldId = 2;

class ListsExample : public example::App {
public:
    ListsExample() : App("Korvel Engine - GUI Lists Example") {}

private:
    void Load() override {
        auto* window = new CGuiWindow(200, 60, 600, 560, "Data/GUI/panel.png", true, 1.0f, 0, 1, false);
        window->AddStaticText(new CGuiStaticText("Filter", 12, 16));
        field = new CGuiTextField("Data/GUI/textfield.png", 90, 12, 298, 24, FieldId);
        field->SetPlaceholder("press, then type");
        window->AddTextField(field);
        list = new CGuiList("Data/GUI/list_", 12, 48, 376, 400, ListId);
        // Names a game's archive might hold: 200 of them, so the list scrolls.
        const char* kinds[] = {"crate", "barrel", "torch", "soldier", "knight"};
        std::vector<std::string> names;
        for (int i = 0; i < 200; ++i) {
            names.push_back(std::string("models/") + kinds[i % 5] + "/" + kinds[i % 5] + std::to_string(i) +
                            ".md2");
        }
        list->SetItems(names);
        window->AddList(list);
        chosen = new CGuiStaticText("Press a name", 12, 464);
        window->AddStaticText(chosen);
        window->SetVisible(true);
        gWindowManager->AddWindow(window);
    }

    void Frame(uint32_t) override {
        glClearColor(0.1f, 0.12f, 0.2f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // The engine's GUI pass of the previous frame left what was pressed or typed.
        if (gEventManager->GetClickedWidget() == FieldId) {
            list->SetFilter(field->GetText());
        } else if (gEventManager->GetClickedWidget() == ListId && list->GetPressedItem() >= 0) {
            list->SetMarked(list->GetPressedItem());
            chosen->SetText(list->GetItem(static_cast<size_t>(list->GetPressedItem())));
            std::printf("chose %s\n", chosen->GetText().c_str());
        }
    }

    CGuiList* list = nullptr;
    CGuiTextField* field = nullptr;
    CGuiStaticText* chosen = nullptr;
};

} // namespace

int main() {
    return example::Main([] { return new ListsExample; });
}
