// models-example: one MD2 model read once and drawn by four instances, each playing another
// animation; Space starts every instance on its next one.
#include "../common/Example.h"

#include <vector>

class ModelsExample : public example::App {
public:
    ModelsExample() : App("Models - Korvel example") {}

private:
    void Load() override {
        // The mesh (frames, skin, buffers) is shared; each instance is its own place and clock.
        auto mesh = CMD2Mesh::Load("Data/Models/MD2/tris.md2", "Data/Models/MD2/hobgoblin.bmp");
        for (int i = 0; i < 4; ++i) {
            CMD2Instance instance(mesh);
            instance.SetScale(0.12f, 0.12f, 0.12f);
            instance.SetPosition(9.0f - 6.0f * static_cast<float>(i), 3.0f, 0.0f);
            instance.SetRotation(90.0f);
            instance.SetAnimation(i);
            crowd.push_back(instance);
        }
    }

    void Frame(uint32_t) override {
        if (example::Pressed(SDLK_SPACE)) {
            for (CMD2Instance& instance : crowd) {
                instance.SetAnimation(instance.GetAnimation() + 1);
            }
        }
        example::Stage(22.0f);
        CFont* font = gFontManager->GetFont(1);
        for (size_t i = 0; i < crowd.size(); ++i) {
            crowd[i].Render();
            const ModelData& data = crowd[i].GetMesh()->GetData();
            font->Print(110 + 170 * static_cast<int>(i), 120, 0, "%s",
                        data.animations[static_cast<size_t>(crowd[i].GetAnimation())].name.c_str());
        }
        font->Print(10, 10, 1, "Four instances of one mesh - Space: next animations");
    }

    std::vector<CMD2Instance> crowd;
};

int main() {
    return example::Main([] { return new ModelsExample; });
}
