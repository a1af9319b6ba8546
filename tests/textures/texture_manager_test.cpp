// The texture manager's list without a GL context: images are told apart by texture name only, so
// plain images with hand-set names stand in for loaded ones.
#include "app/Registry.h"
#include "textures/Image.h"
#include "textures/TextureManager.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <vector>

namespace {

// Every block freed by the process, so a test can tell whether an image was really deleted.
std::vector<void*>* freed = nullptr;

bool WasFreed(const void* p) {
    for (void* f : *freed) {
        if (f == p) {
            return true;
        }
    }
    return false;
}

CImage* MakeImage(uint32_t texID) {
    CImage* image = new CImage;
    image->texID = texID;
    return image;
}

class TextureManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::vector<void*> log;
        log.reserve(1024);
        log.clear();
        freed = &log;
    }
    void TearDown() override {
        freed = nullptr;
        gTextureManager = nullptr;
    }
};

} // namespace

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}

static void RecordAndFree(void* p) noexcept {
    if (freed && p && freed->size() < freed->capacity()) {
        freed->push_back(p);
    }
    std::free(p);
}

void operator delete(void* p) noexcept {
    RecordAndFree(p);
}

void operator delete(void* p, std::size_t) noexcept {
    RecordAndFree(p);
}

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
