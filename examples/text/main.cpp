// text-example: the engine font's four character sets, in colour and scaled.
#include "../common/Example.h"

class TextExample : public example::App {
public:
    TextExample() : App("Text - Korvel example") {}

private:
    void Load() override {}

    void Frame(uint32_t ms) override {
        glClearColor(0.1f, 0.1f, 0.15f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        CFont* font = gFontManager->GetFont(1);
        const char* sets[] = {"regular", "second half of the sheet", "bold", "bold, second half"};
        for (int set = 0; set < 4; ++set) {
            font->Print(40, 40 + 40 * set, set, "Set %d: The quick brown fox", set);
            font->Print(420, 40 + 40 * set, 0, "(%s)", sets[set]);
        }
        font->PrintColor(40, 240, 0, 1.0f, 0.8f, 0.2f, "PrintColor: in any colour");
        font->PrintEx(40, 280, 2, 0.4f, 1.0f, 0.6f, 1.0f, 2.0f, 2.0f, "PrintEx: scaled");
        font->PrintColor(40, 360, 1, 0.6f, 0.8f, 1.0f, "Formatted like printf: %d ms, %.2f s", ms,
                         ms / 1000.0f);
    }
};

int main() {
    return example::Main([] { return new TextExample; });
}
