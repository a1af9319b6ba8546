// The texture manager's list without a GL context: images are told apart by texture name only, so
// plain images with hand-set names stand in for loaded ones.
#include "base/Registry.h"
#include "textures/Image.h"
#include "textures/TextureManager.h"

#include "support/FreedBlocks.h"

#include <gtest/gtest.h>

using korvel::test::WasFreed;

namespace {

CImage* MakeImage(uint32_t texID) {
    CImage* image = new CImage;
    image->texID = texID;
    return image;
}

class TextureManagerTest : public ::testing::Test {
protected:
    void SetUp() override { korvel::test::StartRecordingFrees(); }
    void TearDown() override {
        korvel::test::StopRecordingFrees();
        gTextureManager = nullptr;
    }
};

} // namespace

TEST_F(TextureManagerTest, AddKeepsOneEntryPerTextureInOrder) {
    CTextureManager manager;
    CImage a, b, sameName;
    a.texID = 7;
    b.texID = 3;
    sameName.texID = 7;
    manager.Add(&a);
    manager.Add(&a);
    manager.Add(&b);
    manager.Add(&sameName);
    ASSERT_EQ(manager.GetImages().size(), 2u);
    EXPECT_EQ(manager.GetImages()[0], &a);
    EXPECT_EQ(manager.GetImages()[1], &b);

    // An image that makes a new texture for itself is still found by its current name.
    a.texID = 9;
    manager.Add(&a);
    EXPECT_EQ(manager.GetImages().size(), 2u);
}

TEST_F(TextureManagerTest, RemoveMiddleKeepsOrderAndDeletesTheImage) {
    CTextureManager manager;
    gTextureManager = &manager;
    CImage* first = MakeImage(1);
    CImage* middle = MakeImage(2);
    CImage* last = MakeImage(3);
    manager.Add(first);
    manager.Add(middle);
    manager.Add(last);

    manager.Remove(middle);
    ASSERT_EQ(manager.GetImages().size(), 2u);
    EXPECT_EQ(manager.GetImages()[0], first);
    EXPECT_EQ(manager.GetImages()[1], last);
    EXPECT_TRUE(WasFreed(middle));
    EXPECT_FALSE(WasFreed(first));

    delete first;
    delete last;
    EXPECT_TRUE(manager.GetImages().empty());
}

TEST_F(TextureManagerTest, RemoveUnlistedChangesNothingAndDeletesNothing) {
    CTextureManager manager;
    CImage listed, stranger;
    listed.texID = 4;
    stranger.texID = 5;
    manager.Add(&listed);
    manager.Remove(&stranger);
    manager.Remove(nullptr);
    ASSERT_EQ(manager.GetImages().size(), 1u);
    EXPECT_FALSE(WasFreed(&stranger));
}

TEST_F(TextureManagerTest, DestroyingTheManagerDeletesNoImage) {
    CImage* a = MakeImage(1);
    CImage* b = MakeImage(2);
    {
        CTextureManager manager;
        manager.Add(a);
        manager.Add(b);
    }
    EXPECT_FALSE(WasFreed(a));
    EXPECT_FALSE(WasFreed(b));
    delete a;
    delete b;
}

TEST_F(TextureManagerTest, AnImageDeletedByItsOwnerLeavesTheList) {
    CTextureManager manager;
    gTextureManager = &manager;
    CImage* pointer = MakeImage(1);
    CImage* logo = MakeImage(2);
    manager.Add(pointer);
    manager.Add(logo);
    delete pointer;
    ASSERT_EQ(manager.GetImages().size(), 1u);
    EXPECT_EQ(manager.GetImages()[0], logo);

    // Registering after the deletion must not read through the dead pointer (ASan would see it).
    CImage later;
    later.texID = 1;
    manager.Add(&later);
    EXPECT_EQ(manager.GetImages().size(), 2u);
    manager.ReleaseAll();
    delete logo;
    gTextureManager = nullptr;
}
