#include "demo/ViewerScene.h"

#include "app/Engine.h"
#include "base/GL.h"
#include "base/Registry.h"
#include "camera/Camera.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"
#include "models/MD2Model.h"
#include "text/Font.h"
#include "text/FontManager.h"
#include "textures/Image.h"

bool CViewerScene::LoadHobgoblin(CMD2Model& model) {
    return model.Load(kModelPath, kSkinPath);
}

void CViewerScene::PlaceHobgoblin(CMD2Model& model) {
    model.SetScale(kModelScale, kModelScale, kModelScale);
    model.SetPosition(kModelX, kModelY, kModelZ);
    model.SetRotation(kModelRotation);
}

void CViewerScene::PlaceLogo(CImage& logo) {
    logo.x = static_cast<float>(kWidth - 2) - logo.GetWidth();
    logo.y = static_cast<float>(kHeight - 2) - logo.GetHeight();
}

void CViewerScene::Clear() {
    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

void CViewerScene::PrintHelp() {
    CFont* font = gFontManager ? gFontManager->GetFont(1) : nullptr;
    if (font) {
        font->Print(1, 50, 0, "MD2 Animation Demo! Choose animation with pressing numbers.");
        font->Print(1, 75, 0, "Rotate the model with LEFT and RIGHT arrow.");
    }
}

void CViewerScene::DrawGround(bool grid) {
    // The 3D scene is opaque (grid lines and skin have alpha 1; cut-out skins are alpha-tested), so
    // blending would change no pixel and only cost the rasterizer time; the kernel's 2D overlay turns
    // blending back on.
    glDisable(GL_BLEND);
    gCamera->Look();
    if (grid) {
        gUtils->DrawGrid(0.0f, kGridY, 0.0f);
    }
}

void CViewerScene::PrintFooter() {
    CFont* font = gFontManager ? gFontManager->GetFont(1) : nullptr;
    if (font) {
        font->Print(20, 740, 0, "Press ESC to Exit.");
    }
}

void CViewerScene::DrawLogo(CImage& logo) {
    gGraphicsCore->Begin2D();
    logo.Draw(1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    gGraphicsCore->End2D();
}

void CViewerScene::DrawFrame(CEngine& engine, CMD2Model& model, CImage& logo,
                             const std::function<void()>& drawModel, const std::function<void()>& overlay,
                             bool grid) {
    Clear();
    PrintHelp();
    DrawGround(grid);
    if (drawModel) {
        drawModel();
    } else {
        model.Render();
    }
    engine.Update();
    PrintFooter();
    if (overlay) {
        overlay();
    }
    DrawLogo(logo);
}
