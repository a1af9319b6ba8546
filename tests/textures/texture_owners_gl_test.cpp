// Every texture the engine makes has one owner that deletes it: once the owner is gone, GL no longer
// knows the texture's name. And whether a skin is a cut-out comes from its picture's channels.
#include "support/EngineFixture.h"
#include "support/TestSupport.h"

#include "base/Registry.h"
#include "base/GL.h"
#include "gui/GuiWindow.h"
#include "models/MD2Instance.h"
#include "models/MD2Model.h"
#include "textures/Image.h"
#include "textures/TGATexture.h"
#include "textures/Texture.h"
#include "textures/TextureManager.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using korvel::test::CaptureStream;
using korvel::test::EngineTest;
using korvel::test::RunCommand;
using korvel::test::TempDir;

namespace {

const char* const kModel = "Data/Models/MD2/tris.md2";

// The texture names of the images the texture manager lists.
std::vector<GLuint> ListedNames() {
    std::vector<GLuint> names;
    for (const CImage* image : gTextureManager->GetImages()) {
        names.push_back(image->texID);
    }
    return names;
}

class TextureOwnersTest : public EngineTest {};

TEST_F(TextureOwnersTest, EachOwnerDeletesTheTexturesItMade) {
    CaptureStream out(1);

    CImage* logo = new CImage("Data/Logo/kvxlogo.png");
    const GLuint logoName = logo->texID;
    ASSERT_TRUE(glIsTexture(logoName));
    delete logo;
    EXPECT_FALSE(glIsTexture(logoName));
    const std::vector<GLuint> before = ListedNames();
    EXPECT_EQ(std::count(before.begin(), before.end(), logoName), 0);

    GLuint glyphs = 0;
    {
        CTGATexture tga;
        ASSERT_TRUE(tga.LoadTGA("Data/Font/font.tga"));
        glyphs = tga.texID;
        ASSERT_TRUE(tga.LoadTGA("Data/Font/font.tga"));
        EXPECT_FALSE(glIsTexture(glyphs)) << "a second load replaces the first texture";
        glyphs = tga.texID;
        EXPECT_TRUE(glIsTexture(glyphs));
    }
    EXPECT_FALSE(glIsTexture(glyphs));

    // A window's background, an image it was given and its button's frames.
    CGuiWindow* window = new CGuiWindow(0, 0, 200, 100, "Data/GUI/window.png", false, 1.0f, 15, 1, false);
    window->AddImage("Data/Logo/kvxlogo.png", 5, 5, 1.0f);
    window->AddButton("Data/GUI/button_ok", 5, 10.0f, 40.0f, 2);
    std::vector<GLuint> art = ListedNames();
    art.erase(art.begin(), art.begin() + static_cast<std::ptrdiff_t>(before.size()));
    ASSERT_EQ(art.size(), 7u);
    delete window;
    for (GLuint name : art) {
        EXPECT_FALSE(glIsTexture(name)) << name;
    }
    EXPECT_EQ(ListedNames(), before);

    GLuint skin = 0;
    {
        CMD2Model model;
        ASSERT_TRUE(model.Load(kModel, "Data/Models/MD2/hobgoblin.bmp"));
        skin = model.GetTexture();
        ASSERT_TRUE(glIsTexture(skin));
    }
    EXPECT_FALSE(glIsTexture(skin));

    CTexture moved = CMD2Mesh::LoadSkinImage("Data/Models/MD2/hobgoblin.bmp");
    CTexture holder(std::move(moved));
    EXPECT_EQ(moved.Name(), 0u);
    skin = holder.Name();
    holder = CTexture();
    EXPECT_FALSE(glIsTexture(skin)) << "assigning over a texture deletes it";
}

TEST_F(TextureOwnersTest, ASkinIsACutOutWhenItsPictureHasAlpha) {
    TempDir dir;
    const std::string cutOut = dir.File("leaves.png"), opaque = dir.File("bark.png");
    ASSERT_EQ(RunCommand("convert -size 8x8 xc:none -fill red -draw 'rectangle 0,0 3,7' PNG32:" + cutOut), 0);
    ASSERT_EQ(RunCommand("convert -size 8x8 xc:red PNG24:" + opaque), 0);
    CaptureStream out(1);
    CMD2Model model;
    ASSERT_TRUE(model.Load(kModel, cutOut.c_str()));
    EXPECT_TRUE(model.SkinHasAlpha());
    model.LoadSkin(opaque.c_str());
    EXPECT_FALSE(model.SkinHasAlpha());
    const CTexture given = CMD2Mesh::LoadSkinImage(cutOut.c_str());
    ASSERT_TRUE(given.HasAlpha());
    model.SetTexture(given.Name(), given.HasAlpha());
    EXPECT_TRUE(model.SkinHasAlpha());
}

TEST_F(TextureOwnersTest, ASharedSkinGoesWithItsLastWearerAndABorrowedOneStaysItsOwners) {
    CaptureStream out(1);
    auto red = std::make_shared<const CTexture>(CMD2Mesh::LoadSkinImage("Data/Models/MD2/hobgoblin.bmp"));
    const GLuint name = red->Name();
    ASSERT_TRUE(glIsTexture(name));
    CMD2Instance first(CMD2Mesh::Load(kModel, nullptr));
    first.SetSkin(red);
    CMD2Instance second = first;
    red.reset();
    first.ClearSkin();
    EXPECT_TRUE(glIsTexture(name)) << "the copy still wears it";
    EXPECT_EQ(second.GetSkin().texture, name);
    second.SetSkin(0u);
    EXPECT_FALSE(glIsTexture(name));

    // A model puts back the skin it loaded after wearing a caller's texture, which stays the caller's.
    CMD2Model model;
    ASSERT_TRUE(model.Load(kModel, "Data/Models/MD2/hobgoblin.bmp"));
    const GLuint own = model.GetTexture();
    CTexture given = CMD2Mesh::LoadSkinImage("Data/Models/MD2/hobgoblin.bmp");
    model.SetTexture(given.Name(), false);
    model.SetTexture(own, false);
    EXPECT_TRUE(glIsTexture(own));
    EXPECT_TRUE(glIsTexture(given.Name()));
    EXPECT_EQ(model.GetTexture(), own);
}

} // namespace
