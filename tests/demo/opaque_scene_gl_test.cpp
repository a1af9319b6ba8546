// The viewer draws its 3D scene (grid and hobgoblin) with blending off, because the scene is opaque:
// with the shipped art, blending on or off gives the same pixels.
#include "support/EngineFixture.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "camera/Camera.h"
#include "demo/ViewerScene.h"
#include "graphics/GraphicsCore.h"
#include "graphics/Utils.h"
#include "models/MD2Model.h"

#include <algorithm>
#include <vector>

using korvel::test::EngineTest;

namespace {

uint32_t FixedTicks() {
    return 1000;
}

class OpaqueSceneTest : public EngineTest {
protected:
    // The viewer's scene after its first frame (2D overlay state left on), read back whole.
    static std::vector<uint8_t> DrawScene(bool blend) {
        CMD2Model::SetTickSource(FixedTicks);
        CMD2Model model;
        EXPECT_TRUE(CViewerScene::LoadHobgoblin(model));
        CViewerScene::PlaceHobgoblin(model);

        ClearFrame();
        gGraphicsCore->Begin2D();
        gGraphicsCore->End2D();
        CViewerScene::Clear();
        if (blend) {
            // The scene's ground as DrawGround draws it, but with blending left on.
            glEnable(GL_BLEND);
            gCamera->Look();
            gUtils->DrawGrid(0.0f, CViewerScene::kGridY, 0.0f);
        } else {
            CViewerScene::DrawGround();
        }
        model.Render();

        std::vector<uint8_t> pixels = korvel::test::ReadFrame(0, 0, 1024, 768);
        glEnable(GL_BLEND);
        CMD2Model::SetTickSource(nullptr);
        return pixels;
    }
};

} // namespace

TEST_F(OpaqueSceneTest, BlendingChangesNoPixelOfTheScene) {
    std::vector<uint8_t> blended = DrawScene(true);
    std::vector<uint8_t> plain = DrawScene(false);
    // The scene really shows the hobgoblin: coloured pixels among the greys of background and grid.
    int coloured = 0;
    for (size_t i = 0; i < plain.size(); i += 4) {
        uint8_t high = std::max({plain[i], plain[i + 1], plain[i + 2]});
        uint8_t low = std::min({plain[i], plain[i + 1], plain[i + 2]});
        coloured += high - low > 20;
    }
    EXPECT_GT(coloured, 10000);
    EXPECT_TRUE(blended == plain);
}
