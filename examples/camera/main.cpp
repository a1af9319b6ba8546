// camera-example: the 3D camera orbiting a model, and a 2D layer scrolled by the camera manager's 2D
// offsets. The arrow keys move the current offset, Tab switches between the two 2D cameras.
#include "../common/Example.h"

#include <cmath>
#include <memory>

class CameraExample : public example::App {
public:
    CameraExample() : App("Camera - Korvel example") {}

private:
    void Load() override {
        model = CMD2Instance(CMD2Mesh::Load("Data/Models/MD2/tris.md2", "Data/Models/MD2/hobgoblin.bmp"));
        model.SetScale(0.15f, 0.15f, 0.15f);
        model.SetPosition(0.0f, 3.5f, 0.0f);
        logo = std::make_unique<CImage>("Data/Logo/kvxlogo.png");
        // The manager owns its 2D cameras; the one added last is current.
        gCameraManager->AddCamera(new CCamera2D(0.0f, 0.0f));
        gCameraManager->AddCamera(new CCamera2D(-120.0f, 0.0f));
    }

    void Frame(uint32_t ms) override {
        if (example::Pressed(SDLK_TAB)) {
            selected = 1 - selected;
            gCameraManager->SelectCamera(selected);
        }
        const float step = 4.0f;
        if (gEventManager->IsKeyDown(SDLK_LEFT))
            gCameraManager->SubtractX(step);
        if (gEventManager->IsKeyDown(SDLK_RIGHT))
            gCameraManager->AddX(step);
        if (gEventManager->IsKeyDown(SDLK_UP))
            gCameraManager->SubtractY(step);
        if (gEventManager->IsKeyDown(SDLK_DOWN))
            gCameraManager->AddY(step);

        glClearColor(0.08f, 0.1f, 0.12f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        // The engine's update left the current 2D offset on the model-view matrix: what is drawn in
        // 2D before it is reset moves with the 2D camera.
        gGraphicsCore->Begin2D();
        for (int i = 0; i < 5; ++i) {
            logo->Draw(20.0f + 220.0f * static_cast<float>(i), 520.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        }
        gGraphicsCore->End2D();

        // The 3D camera circles the model once every 18 seconds, 20 units away.
        const float angle = static_cast<float>(ms) * 0.00035f;
        glLoadIdentity();
        gCamera->Place(20.0f * std::sin(angle), 9.0f, 20.0f * std::cos(angle), 0.0f, 3.0f, 0.0f, 0.0f, 1.0f,
                       0.0f);
        gCamera->Look();
        gUtils->DrawGrid(0.0f, 0.0f, 0.0f);
        model.Render();

        const auto [x, y] = gCameraManager->GetCurrentCamera()->GetPosition();
        gFontManager->GetFont(1)->Print(
            10, 10, 1, "2D camera %u at (%.0f, %.0f) - arrows move it, Tab switches", selected, x, y);
    }

    CMD2Instance model;
    std::unique_ptr<CImage> logo;
    unsigned selected = 1;
};

int main() {
    return example::Main([] { return new CameraExample; });
}
