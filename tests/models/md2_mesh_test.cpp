// The mesh cache: a file is read once while its mesh is held, whatever happens to it on disk since,
// until the mesh is forgotten or let go; each skin is a mesh of its own, all wearing the file's frames.
#include "models/MD2Instance.h"
#include "models/MD2Mesh.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using korvel::test::Md2Writer;
using korvel::test::TempDir;

namespace {

TEST(MD2MeshTest, ASecondLoadOfAHeldMeshDoesNotReadTheFileAgain) {
    TempDir dir;
    const std::string path = dir.File("ab.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames({"a1", "a2", "b1", "b2", "b3"}).Write(path));
    std::shared_ptr<const CMD2Mesh> first = CMD2Mesh::Load(path.c_str(), nullptr);
    ASSERT_TRUE(first);
    EXPECT_EQ(2, first->GetData().animationCount);

    // What is on disk now is not a model at all: only the cache can still give the mesh.
    korvel::test::WriteFile(path, {'n', 'o', 't', ' ', 'm', 'd', '2'});
    EXPECT_EQ(first, CMD2Mesh::Load(path.c_str(), nullptr));
    // Another skin is another mesh, wearing the frames the file gave the first rather than reading it.
    std::shared_ptr<const CMD2Mesh> reskinned = CMD2Mesh::Load(path.c_str(), "other.bmp");
    ASSERT_TRUE(reskinned);
    EXPECT_NE(first, reskinned);
    EXPECT_TRUE(reskinned->GetData().frames.SharedWith(first->GetData().frames));
    ASSERT_EQ(1, reskinned->GetData().materialCount);
    EXPECT_EQ("other.bmp", reskinned->GetData().materials[0].fileName);
    EXPECT_TRUE(first->GetData().materials.empty());
    reskinned.reset();

    // Forgotten, the file is read again; the mesh already handed out stays whole.
    ASSERT_TRUE(Md2Writer::NamedFrames({"c1", "c2", "c3"}).Write(path));
    CMD2Mesh::Forget(path.c_str(), nullptr);
    std::shared_ptr<const CMD2Mesh> second = CMD2Mesh::Load(path.c_str(), nullptr);
    ASSERT_TRUE(second);
    EXPECT_NE(first, second);
    EXPECT_EQ(1, second->GetData().animationCount);
    EXPECT_EQ(2, first->GetData().animationCount);

    // Held by an instance alone, the mesh is still the cached one; let go by all, it is read anew.
    CMD2Instance instance(second);
    second.reset();
    EXPECT_EQ(instance.GetMesh(), CMD2Mesh::Load(path.c_str(), nullptr));
    instance.SetMesh(nullptr);
    ASSERT_TRUE(Md2Writer::NamedFrames({"d1", "d2", "e1", "e2", "f1", "f2"}).Write(path));
    std::shared_ptr<const CMD2Mesh> third = CMD2Mesh::Load(path.c_str(), nullptr);
    ASSERT_TRUE(third);
    EXPECT_EQ(3, third->GetData().animationCount);
}

TEST(MD2MeshTest, CopiedInstancesPlayOnTheirOwn) {
    TempDir dir;
    const std::string path = dir.File("ab.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames({"a1", "a2", "b1", "b2", "b3"}).Write(path));
    CMD2Instance first(CMD2Mesh::Load(path.c_str(), nullptr));
    first.SetAnimation(1);
    first.SetPaused(true);
    CMD2Instance copy = first;
    copy.StepKeyFrame(1);
    copy.SetAnimation(2);
    EXPECT_EQ(1, first.GetAnimation());
    EXPECT_EQ(2, first.GetFrame());
    EXPECT_EQ(0, copy.GetAnimation());
    EXPECT_EQ(0, copy.GetFrame());
    EXPECT_EQ(first.GetMesh(), copy.GetMesh());
    EXPECT_LT(sizeof(CMD2Instance), 128u);
}

TEST(MD2MeshTest, TheSharedFramesAreChangedOnlyInACopyOfTheirOwnAndForgetDropsThem) {
    TempDir dir;
    const std::string path = dir.File("ab.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames({"a1", "a2", "b1"}).Write(path));
    std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load(path.c_str(), nullptr);
    ASSERT_TRUE(mesh);
    const float x = mesh->GetData().frames[1].positions[0].x;

    // A tool that changes its copy of the data changes no mesh.
    ModelData copy = mesh->GetData();
    ASSERT_TRUE(copy.frames.SharedWith(mesh->GetData().frames));
    copy.frames[1].positions[0].x += 100.0f;
    EXPECT_FALSE(copy.frames.SharedWith(mesh->GetData().frames));
    EXPECT_EQ(x, mesh->GetData().frames[1].positions[0].x);
    EXPECT_EQ(x + 100.0f, copy.frames[1].positions[0].x);

    // Forgotten, the file's frames are read again for any skin, while the mesh handed out keeps its own.
    ASSERT_TRUE(Md2Writer::NamedFrames({"c1", "c2", "c3", "c4"}).Write(path));
    CMD2Mesh::Forget(path.c_str(), nullptr);
    std::shared_ptr<const CMD2Mesh> reread = CMD2Mesh::Load(path.c_str(), "other.bmp");
    ASSERT_TRUE(reread);
    EXPECT_EQ(4, reread->GetData().frameCount);
    EXPECT_EQ(3, mesh->GetData().frameCount);
    EXPECT_FALSE(reread->GetData().frames.SharedWith(mesh->GetData().frames));
}

} // namespace
