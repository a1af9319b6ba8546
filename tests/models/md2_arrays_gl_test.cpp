// The model drawn from its vertex arrays gives the very pixels of the corner-by-corner drawing, on
// frames drawn with the animation clock held; back-face culling takes away only faces turned away.
#include "models/MD2Model.h"
#include "support/EngineFixture.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include "base/GL.h"
#include "demo/ViewerScene.h"

#include <vector>

using korvel::test::Md2Writer;

namespace {

uint32_t heldTicks = 0;

uint32_t HeldTicks() {
    return heldTicks;
}

class MD2ArraysTest : public korvel::test::EngineTest {
protected:
    void SetUp() override { CMD2Model::SetTickSource(HeldTicks); }
    void TearDown() override {
        CMD2Model::SetTickSource(nullptr);
        CMD2Model::SetImmediateMode(false);
    }

    // The viewer's scene (grid and model) drawn by one path, read back whole.
    static std::vector<uint8_t> Scene(CMD2Model& model, bool immediate) {
        CMD2Model::SetImmediateMode(immediate);
        ClearFrame();
        // The depth function of the viewer's frames after its first (the 2D overlay's end sets it).
        glDepthFunc(GL_LEQUAL);
        CViewerScene::Clear();
        CViewerScene::DrawGround();
        model.Render();
        return ReadFrame();
    }

    // The hobgoblin where the viewer puts it.
    static void LoadHobgoblin(CMD2Model& model) {
        korvel::test::CaptureStream out(1);
        ASSERT_TRUE(CViewerScene::LoadHobgoblin(model));
        CViewerScene::PlaceHobgoblin(model);
    }

    static int LitPixels(const std::vector<uint8_t>& pixels) {
        int count = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) {
            count += pixels[i] > 40 || pixels[i + 1] > 40 || pixels[i + 2] > 40;
        }
        return count;
    }

    // Each animation drawn at a held tick part-way through a key frame, by both paths; the clock
    // cannot move between the two draws, so both show the same interpolated frame.
    static void ExpectSamePixels(CMD2Model& model) {
        const int animations = model.GetData().animationCount;
        ASSERT_GT(animations, 1);
        heldTicks = 1000;
        for (int a = 0; a < animations; ++a) {
            model.SetAnimation(a);
            heldTicks += 200;
            model.Render();
            heldTicks += 70 + a;
            std::vector<uint8_t> immediate = Scene(model, true);
            std::vector<uint8_t> arrays = Scene(model, false);
            EXPECT_GT(LitPixels(arrays), 1000) << "animation " << a;
            EXPECT_EQ(0, DifferingPixels(immediate, arrays)) << "animation " << a;
        }
    }
};

} // namespace

TEST_F(MD2ArraysTest, TheHobgoblinLooksTheSameFromItsArrays) {
    CMD2Model model;
    LoadHobgoblin(model);
    ExpectSamePixels(model);
}

TEST_F(MD2ArraysTest, AModelOfSeveralAnimationsLooksTheSameFromItsArrays) {
    korvel::test::TempDir dir;
    Md2Writer writer = Md2Writer::RandomMesh(300, 600, 12, 11);
    for (size_t f = 0; f < writer.frames.size(); ++f) {
        writer.frames[f].name = (f < 5 ? "walk" : f < 9 ? "jump" : "fall") + std::to_string(f % 5 + 1);
    }
    const std::string skin = dir.File("skin.bmp");
    ASSERT_EQ(0,
              korvel::test::RunCommand("convert -seed 3 -size 256x256 plasma:red-blue -type truecolor BMP3:" +
                                       korvel::test::ShellQuote(skin)));
    ASSERT_TRUE(writer.Write(dir.File("model.md2")));
    CMD2Model model;
    {
        korvel::test::CaptureStream out(1);
        ASSERT_TRUE(model.Load(dir.File("model.md2").c_str(), skin.c_str()));
    }
    EXPECT_NE(0u, model.GetTexture());
    model.SetScale(0.1f, 0.1f, 0.1f);
    model.SetPosition(0, 3, -2);
    ExpectSamePixels(model);
}

TEST_F(MD2ArraysTest, CullingLeavesOutOnlyTheFacesTurnedAway) {
    CMD2Model model;
    LoadHobgoblin(model);
    // A buffer the caller left bound stays bound and does not disturb the model.
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    for (float rotation : {70.0f, 250.0f}) {
        model.SetRotation(rotation);
        heldTicks = 1000;
        model.Render();
        heldTicks += 90;
        std::vector<uint8_t> whole = Scene(model, false);
        model.SetBackFaceCulling(true);
        std::vector<uint8_t> culled = Scene(model, false);
        std::vector<uint8_t> culledImmediate = Scene(model, true);
        model.SetBackFaceCulling(false);
        // The hobgoblin is closed: what culling removes lay behind its own front, but for the odd
        // pixel where a back face showed through a seam. Culling the other way would empty it.
        EXPECT_LT(DifferingPixels(whole, culled), 1000) << "rotation " << rotation;
        EXPECT_GT(LitPixels(culled), 70000) << "rotation " << rotation;
        EXPECT_EQ(0, DifferingPixels(culled, culledImmediate)) << "rotation " << rotation;
    }
    GLint bound = 0;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLint>(buffer), bound);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLint front = 0;
    glGetIntegerv(GL_FRONT_FACE, &front);
    EXPECT_EQ(GL_CCW, front);
}
