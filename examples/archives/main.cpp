// archives-example ARCHIVE: the MD2 models inside a game archive (a .pk3 or .zip, or Quake's .pak),
// listed by CMD2Catalog, and the chosen one drawn with the skin its file names, read from beside it in
// the archive. Up and Down choose another model.
#include "../common/Example.h"

#include <korvel/models/MD2Catalog.h>

#include <cstdio>
#include <filesystem>
#include <string>

class ArchivesExample : public example::App {
public:
    explicit ArchivesExample(const std::string& archive)
        : App("Archives - Korvel example"), archive(archive) {}

private:
    void Load() override {
        // An archive that does not open has said why on standard error; the window says it too.
        if (catalog.Open(archive) && !catalog.Empty()) {
            Show();
        }
    }

    // "ARCHIVE:INNER" names a file inside an archive wherever the engine takes a path; without a skin
    // path, the skin the model names is looked for beside it, in the archive too.
    void Show() {
        model = CMD2Instance(CMD2Mesh::Load(catalog.Path(catalog.Current()).c_str(), nullptr));
        model.SetScale(0.12f, 0.12f, 0.12f);
        model.SetPosition(0.0f, 3.0f, 0.0f);
        model.SetRotation(90.0f);
    }

    void Frame(uint32_t) override {
        for (int key : {SDLK_UP, SDLK_DOWN}) {
            if (example::Pressed(key) && !catalog.Empty()) {
                catalog.Step(key == SDLK_UP ? -1 : 1);
                Show();
            }
        }
        example::Stage(16.0f);
        CFont* font = gFontManager->GetFont(1);
        if (catalog.Empty()) {
            font->Print(10, 10, 0, "No models in %s", archive.c_str());
            return;
        }
        model.Render();
        font->Print(10, 10, 1, "%s - Up and Down: another", catalog.Place().c_str());
        for (size_t i = 0; i < catalog.Count(); ++i) {
            font->Print(10, 40 + 20 * static_cast<int>(i), 0, "%s %s", i == catalog.Current() ? ">" : " ",
                        catalog.Inner(i).c_str());
        }
    }

    std::string archive;
    CMD2Catalog catalog;
    CMD2Instance model;
};

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: archives-example ARCHIVE\n");
        return 2;
    }
    // Made absolute before the example moves into the engine's data folder.
    const std::string archive = std::filesystem::absolute(argv[1]).string();
    return example::Main([&] { return new ArchivesExample(archive); });
}
