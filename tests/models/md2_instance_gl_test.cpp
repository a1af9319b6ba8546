// Instances of one shared mesh in a live engine: a crowd of them draws the very pixels of as many
// models, each instance keeps its own pose although all share the mesh's arrays, and every texture the
// engine loads for a model has one owner that deletes it.
#include "demo/ViewerScene.h"
#include "models/MD2Instance.h"
#include "models/MD2Mesh.h"
#include "models/MD2Model.h"
#include "support/EngineFixture.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include "base/GL.h"

#include <memory>
#include <vector>

using korvel::test::CaptureStream;
using korvel::test::Md2Writer;
using korvel::test::RunCommand;
using korvel::test::ShellQuote;

namespace {

uint32_t heldTicks = 0;

uint32_t HeldTicks() {
    return heldTicks;
}

const int kCrowd = 256;
const char* const kHobgoblin = CViewerScene::kModelPath;
const char* const kHobgoblinSkin = CViewerScene::kSkinPath;

class MD2InstanceTest : public korvel::test::EngineTest {
protected:
    void SetUp() override {
        heldTicks = 1000;
        CMD2Instance::SetTickSource(HeldTicks);
    }
    void TearDown() override { CMD2Instance::SetTickSource(nullptr); }

    // A skin made by ImageMagick, in the folder of the test.
    std::string Skin(const std::string& name, const std::string& pattern) {
        const std::string path = dir.File(name);
        EXPECT_EQ(0, RunCommand("convert -seed 3 -size 64x64 " + pattern +
                                " -type truecolor BMP3:" + ShellQuote(path)));
        return path;
    }

    // Places the i-th member of a crowd on a 16 x 16 grid, each pair in its own animation, each member
    // in its own turn and culling.
    template <typename Model> static void Place(Model& model, int i) {
        model.SetScale(0.03f, 0.03f, 0.03f);
        model.SetPosition(static_cast<float>(i % 16 - 8) * 3.0f, 0.0f, static_cast<float>(i / 16 - 8) * 3.0f);
        model.SetRotation(static_cast<float>((i * 47) % 360));
        model.SetAnimation(i / 2);
        model.SetBackFaceCulling(i % 3 == 0);
    }

    // The crowd seen from above and in front, the whole frame read back.
    template <typename Crowd> static std::vector<uint8_t> Scene(Crowd& crowd) {
        ClearFrame();
        glDepthFunc(GL_LEQUAL);
        gluLookAt(0.0, 45.0, 45.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        for (auto& member : crowd) {
            member->Render();
        }
        return ReadFrame();
    }

    // The scene drawn with nothing in it, to count what a crowd adds.
    static std::vector<uint8_t> EmptyScene() {
        std::vector<CMD2Instance*> nobody;
        return Scene(nobody);
    }

    korvel::test::TempDir dir;
};

} // namespace

TEST_F(MD2InstanceTest, ACrowdOfInstancesDrawsWhatAsManyModelsWould) {
    Md2Writer writer = Md2Writer::RandomMesh(300, 600, 12, 5);
    for (size_t f = 0; f < writer.frames.size(); ++f) {
        writer.frames[f].name = (f < 5 ? "walk" : f < 9 ? "jump" : "fall") + std::to_string(f % 5 + 1);
    }
    const std::string path = dir.File("crowd.md2");
    ASSERT_TRUE(writer.Write(path));
    const std::string skin = Skin("crowd.bmp", "plasma:red-blue");

    CaptureStream out(1);
    std::vector<std::unique_ptr<CMD2Instance>> instances;
    std::vector<std::unique_ptr<CMD2Model>> models;
    std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load(path.c_str(), skin.c_str());
    ASSERT_TRUE(mesh);
    for (int i = 0; i < kCrowd; ++i) {
        instances.push_back(std::make_unique<CMD2Instance>(mesh));
        models.push_back(std::make_unique<CMD2Model>());
        ASSERT_TRUE(models.back()->Load(path.c_str(), skin.c_str()));
        Place(*instances.back(), i);
        Place(*models.back(), i);
    }
    // The first draw at the held clock moves every member one key frame on; then the second of each
    // pair stops there, and the first is drawn part-way to the following key frame.
    Scene(instances);
    Scene(models);
    for (int i = 1; i < kCrowd; i += 2) {
        instances[static_cast<size_t>(i)]->SetPaused(true);
        models[static_cast<size_t>(i)]->SetPaused(true);
    }
    heldTicks += 90;
    const std::vector<uint8_t> shared = Scene(instances);
    const std::vector<uint8_t> own = Scene(models);
    EXPECT_GT(DifferingPixels(EmptyScene(), shared), 20000);
    EXPECT_EQ(0, DifferingPixels(shared, own));
}

TEST_F(MD2InstanceTest, InstancesOfOneMeshKeepTheirOwnPoses) {
    CaptureStream out(1);
    std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load(kHobgoblin, kHobgoblinSkin);
    ASSERT_TRUE(mesh);
    ASSERT_GT(mesh->GetData().animationCount, 1);
    CMD2Instance standing(mesh);
    standing.SetScale(0.2f, 0.2f, 0.2f);
    CMD2Instance running = standing;
    running.SetAnimation(1);
    std::vector<CMD2Instance*> one = {&standing}, other = {&running};
    Scene(one);
    Scene(other);
    heldTicks += 120;
    const std::vector<uint8_t> first = Scene(one);
    const std::vector<uint8_t> second = Scene(other);
    EXPECT_GT(DifferingPixels(first, second), 2000);
    EXPECT_EQ(0, DifferingPixels(first, Scene(one))) << "the other pose stayed in the shared arrays";
}

TEST_F(MD2InstanceTest, TheLastInstanceGoneTakesTheMeshAndItsSkin) {
    CaptureStream out(1);
    std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load(kHobgoblin, kHobgoblinSkin);
    ASSERT_TRUE(mesh);
    const GLuint skin = mesh->GetTexture();
    std::weak_ptr<const CMD2Mesh> watch = mesh;
    std::vector<CMD2Instance> crowd(3, CMD2Instance(mesh));
    mesh.reset();
    std::vector<CMD2Instance*> drawn = {&crowd[0], &crowd[1], &crowd[2]};
    Scene(drawn);
    crowd.pop_back();
    crowd.pop_back();
    EXPECT_TRUE(glIsTexture(skin));
    crowd.clear();
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(glIsTexture(skin));
}

TEST_F(MD2InstanceTest, AModelDeletesTheSkinsItLoadedAndNoneItWasGiven) {
    const std::string red = Skin("red.bmp", "xc:red");
    const std::string blue = Skin("blue.bmp", "xc:blue");
    CaptureStream out(1);
    GLuint given = 0;
    glGenTextures(1, &given);
    glBindTexture(GL_TEXTURE_2D, given);
    GLuint first = 0, second = 0;
    {
        CMD2Model model;
        ASSERT_TRUE(model.Load(kHobgoblin, red.c_str()));
        first = model.GetTexture();
        model.LoadSkin(blue.c_str());
        second = model.GetTexture();
        EXPECT_NE(first, second);
        EXPECT_FALSE(glIsTexture(first));
        model.LoadSkin(dir.File("missing.bmp").c_str());
        EXPECT_EQ(second, model.GetTexture());
        // Drawing with a texture it was given, the model still owns the skin it loaded.
        model.SetTexture(given);
        EXPECT_TRUE(glIsTexture(second));
    }
    EXPECT_FALSE(glIsTexture(second));
    EXPECT_TRUE(glIsTexture(given));
    glDeleteTextures(1, &given);
}

TEST_F(MD2InstanceTest, InstancesOfOneMeshWearTheirOwnSkins) {
    const std::string red = Skin("red.bmp", "xc:red");
    const std::string blue = Skin("blue.bmp", "xc:blue");
    CaptureStream out(1);
    std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load(kHobgoblin, red.c_str());
    ASSERT_TRUE(mesh);
    const GLuint blueTexture = CMD2Mesh::LoadSkinTexture(blue.c_str());
    ASSERT_NE(0u, blueTexture);
    CMD2Instance plain(mesh);
    plain.SetScale(0.2f, 0.2f, 0.2f);
    // Every draw then shows the same key frame whole.
    plain.SetPaused(true);
    CMD2Instance dressed = plain;
    dressed.SetSkin(blueTexture);
    // A mesh of its own with the blue skin is what the dressed instance must look like.
    std::shared_ptr<const CMD2Mesh> blueMesh = CMD2Mesh::Load(kHobgoblin, blue.c_str());
    ASSERT_TRUE(blueMesh);
    CMD2Instance reference = plain;
    reference.SetMesh(blueMesh);

    std::vector<CMD2Instance*> one = {&plain}, other = {&dressed}, own = {&reference};
    auto countWhere = [](const std::vector<uint8_t>& frame, bool reddish) {
        int count = 0;
        for (size_t i = 0; i + 3 < frame.size(); i += 4) {
            const int r = frame[i], b = frame[i + 2];
            count += reddish ? r > b + 40 : b > r + 40;
        }
        return count;
    };
    const std::vector<uint8_t> inRed = Scene(one);
    const std::vector<uint8_t> inBlue = Scene(other);
    EXPECT_EQ(mesh, dressed.GetMesh());
    EXPECT_EQ(blueTexture, dressed.GetSkin().texture);
    EXPECT_EQ(mesh->GetTexture(), plain.GetSkin().texture);
    EXPECT_GT(countWhere(inRed, true), 2000);
    EXPECT_EQ(0, countWhere(inRed, false));
    EXPECT_GT(countWhere(inBlue, false), 2000);
    EXPECT_EQ(0, countWhere(inBlue, true));
    EXPECT_EQ(0, DifferingPixels(inBlue, Scene(own)));
    EXPECT_EQ(0, DifferingPixels(inRed, Scene(one))) << "the other skin stayed on the shared mesh";
    dressed.ClearSkin();
    EXPECT_EQ(0, DifferingPixels(inRed, Scene(other)));
    glDeleteTextures(1, &blueTexture);
    // The two skins' meshes wear one set of frames; the red one gone, the blue one draws on from it.
    EXPECT_TRUE(blueMesh->GetData().frames.SharedWith(mesh->GetData().frames));
    plain.SetMesh(nullptr);
    dressed.SetMesh(nullptr);
    mesh.reset();
    EXPECT_EQ(0, DifferingPixels(inBlue, Scene(own)));
}
