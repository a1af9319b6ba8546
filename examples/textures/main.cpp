// textures-example: PNG, BMP and TGA pictures drawn as 2D images in window pixels, and the TGA
// font sheet read by the engine's own TGA loader on a turning quad in 3D.
#include "../common/Example.h"

#include <memory>

class TexturesExample : public example::App {
public:
    TexturesExample() : App("Textures - Korvel example") {}

private:
    void Load() override {
        // CImage reads anything SDL_image does; its texture goes with the image.
        png = std::make_unique<CImage>("Data/Logo/kvxlogo.png");
        bmp = std::make_unique<CImage>("Data/Models/MD2/hobgoblin.bmp");
        tga = std::make_unique<CImage>("Data/Font/font.tga");
        sheet.LoadTGA("Data/Font/font.tga");
    }

    void Frame(uint32_t ms) override {
        glClearColor(0.2f, 0.25f, 0.3f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        DrawQuad(static_cast<float>(ms) * 0.03f);

        gGraphicsCore->Begin2D();
        glLoadIdentity();
        png->Draw(30.0f, 60.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        bmp->Draw(260.0f, 60.0f, 0.75f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        tga->Draw(480.0f, 60.0f, 0.75f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        gGraphicsCore->End2D();

        CFont* font = gFontManager->GetFont(1);
        font->Print(30, 40, 0, "PNG (CImage)");
        font->Print(260, 40, 0, "BMP (CImage)");
        font->Print(480, 40, 0, "TGA (CImage)");
        font->Print(30, 560, 0, "TGA (CTGATexture) on a quad in 3D");
    }

    // A blue card of 8 units facing the camera, turned `angle` degrees about the vertical axis, with
    // the sheet's glyphs blended over it.
    void DrawQuad(float angle) {
        glTranslatef(0.0f, -4.0f, -16.0f);
        glRotatef(angle, 0.0f, 1.0f, 0.0f);
        glColor3f(0.15f, 0.3f, 0.55f);
        Square();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBindTexture(GL_TEXTURE_2D, sheet.texID);
        glColor3f(1.0f, 1.0f, 1.0f);
        Square();
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
    }

    static void Square() {
        const float corners[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
        glBegin(GL_QUADS);
        for (const auto& c : corners) {
            glTexCoord2f(c[0], c[1]);
            glVertex3f(8.0f * c[0] - 4.0f, 8.0f * c[1] - 4.0f, 0.0f);
        }
        glEnd();
    }

    std::unique_ptr<CImage> png, bmp, tga;
    CTGATexture sheet;
};

int main() {
    return example::Main([] { return new TexturesExample; });
}
