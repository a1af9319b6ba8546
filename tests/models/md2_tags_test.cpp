// Tag files: a tag made to ride a model's vertices lands where the loader puts those vertices in every
// frame, turns between frames as a rigid frame does, is found beside its model in an archive, and a
// damaged file is refused with one line.
#include "models/MD2Loader.h"
#include "models/MD2Tags.h"
#include "support/ArchiveWriter.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using korvel::files::TagFile;
using korvel::test::Md2Writer;
using korvel::test::TempDir;

namespace {

void ExpectNear(Vec3 expected, Vec3 actual, const std::string& what) {
    EXPECT_NEAR(expected.x, actual.x, 1e-4f) << what;
    EXPECT_NEAR(expected.y, actual.y, 1e-4f) << what;
    EXPECT_NEAR(expected.z, actual.z, 1e-4f) << what;
}

// Where a transform of the file puts a part's point, both in the file's z-up coordinates.
Vec3 PlaceInFile(const TagFile::Transform& t, Vec3 p) {
    return Vec3(t[9] + p.x * t[0] + p.y * t[3] + p.z * t[6], t[10] + p.x * t[1] + p.y * t[4] + p.z * t[7],
                t[11] + p.x * t[2] + p.y * t[5] + p.z * t[8]);
}

// The loader's turn of the file's coordinates.
Vec3 Turned(Vec3 p) {
    return Vec3(p.x, p.z, -p.y);
}

TEST(MD2Tags, ATagRidingAVertexIsWhereTheLoaderPutsItInEveryFrame) {
    const Md2Writer model = Md2Writer::Octahedron();
    TagFile file;
    file.AddRiding(model, "tag_head", {{4, 0, 2}});
    file.AddRiding(model, "tag_rweapon", {{1, 3, 5}});
    const std::vector<uint8_t> bytes = model.Bytes();
    ModelData data;
    CMD2Loader loader;
    ASSERT_TRUE(loader.LoadFromMemory(data, bytes.data(), bytes.size(), "octa.md2", nullptr));
    CMD2Tags tags;
    std::string why;
    ASSERT_TRUE(tags.Parse("octa.tag", file.Bytes(), data.frameCount, why)) << why;
    EXPECT_EQ((std::vector<std::string>{"tag_head", "tag_rweapon"}), tags.GetNames());
    EXPECT_EQ(1, tags.Find("TAG_RWEAPON"));
    EXPECT_EQ(-1, tags.Find("tag_lweapon"));
    for (int f = 0; f < data.frameCount; ++f) {
        const std::string at = "frame " + std::to_string(f);
        ExpectNear(data.frames[f].positions[4], tags.Get(0, f).origin, at);
        ExpectNear(data.frames[f].positions[1], tags.Get(1, f).origin, at);
        const Vec3 toward = Normalize(data.frames[f].positions[0] - data.frames[f].positions[4]);
        ExpectNear(toward, tags.Get(0, f).axis[0], at);
        // A part's point, given as the loader gives its vertices, lands where the file's transform
        // puts it, turned as the loader turns the model.
        for (const Vec3& p : {Vec3(0, 0, 1), Vec3(0, 1, 0), Vec3(2, -3, 5)}) {
            ExpectNear(Turned(PlaceInFile(file.transforms[static_cast<size_t>(f)], p)),
                       tags.Get(0, f).Apply(Turned(p)), at);
        }
    }
}

TEST(MD2Tags, BetweenKeyFramesTheOriginMovesLinearlyAndTheAxesStaySquare) {
    TagFile file;
    file.frameCount = 2;
    file.names = {"tag_spin"};
    // A quarter turn about the file's up axis while the origin moves 4 units along x.
    file.transforms = {{{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}}, {{0, 1, 0, -1, 0, 0, 0, 0, 1, 4, 0, 2}}};
    CMD2Tags tags;
    std::string why;
    ASSERT_TRUE(tags.Parse("spin.tag", file.Bytes(), 2, why)) << why;
    const MD2TagTransform half = tags.Interpolate(0, 0, 1, 0.5f);
    ExpectNear(Vec3(2, 1, 0), half.origin, "origin");
    const float s = std::sqrt(0.5f);
    ExpectNear(Vec3(s, 0, -s), half.axis[0], "x");
    ExpectNear(Vec3(0, 1, 0), half.axis[1], "y");
    ExpectNear(Vec3(s, 0, s), half.axis[2], "z");
    ExpectNear(tags.Get(0, 1).origin, tags.Interpolate(0, 0, 1, 1.0f).origin, "end");
    float m[16];
    half.ToMatrix(m);
    ExpectNear(half.Apply(Vec3(1, 2, 3)),
               Vec3(m[0] + 2 * m[4] + 3 * m[8] + m[12], m[1] + 2 * m[5] + 3 * m[9] + m[13],
                    m[2] + 2 * m[6] + 3 * m[10] + m[14]),
               "matrix");
    // A damaged pose whose three axes lie along one line still gives axes of unit length.
    file.transforms = {{{1e17f, 0, 0, 1e17f, 0, 0, 1e17f, 0, 0, 0, 0, 0}}, file.transforms[0]};
    ASSERT_TRUE(tags.Parse("flat.tag", file.Bytes(), 2, why)) << why;
    for (const Vec3& axis : tags.Interpolate(0, 0, 1, 0.0f).axis) {
        EXPECT_NEAR(1.0f, Length(axis), 1e-4f);
    }
}

TEST(MD2Tags, DamagedFilesAreRefusedWithOneLine) {
    TagFile good;
    good.AddRiding(Md2Writer::Octahedron(), "tag_head", {{4, 0, 2}});
    const std::vector<uint8_t> bytes = good.Bytes();
    const auto damaged = [&](size_t at, int32_t value) {
        std::vector<uint8_t> b = bytes;
        for (int i = 0; i < 4; ++i) {
            b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
        }
        return b;
    };
    std::vector<uint8_t> unended = bytes;
    std::fill(unended.begin() + 32, unended.begin() + 96, 'a');
    struct Case {
        std::vector<uint8_t> bytes;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {damaged(8, 2), "2 tags in 9 frames do not fit its 528 bytes"},
        {damaged(8, 0x7fffffff), "2147483647 tags in 9 frames do not fit its 528 bytes"},
        {damaged(12, 8), "8 frames, but the model has 9"},
        {damaged(8, -1), "-1 tags in 9 frames"},
        {damaged(24, 10000), "1 tags in 9 frames do not fit its 528 bytes"},
        {std::vector<uint8_t>(bytes.begin(), bytes.end() - 4), "1 tags in 9 frames do not fit its 524 bytes"},
        {unended, "the name of tag 0 has no end"},
        {damaged(4, 2), "version 2, not 1"},
        {damaged(96, 0x7149f2ca), "a transform of tag 0 is not a number, or one beyond 1e18"}, // 1e30
        {std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20), "not a JDP2 tag file"},
    };
    for (const Case& c : cases) {
        CMD2Tags tags;
        std::string why;
        EXPECT_FALSE(tags.Parse("m/body.tag", c.bytes, 9, why));
        EXPECT_EQ("Invalid tag file (" + c.reason + "): m/body.tag!", why);
        EXPECT_EQ(0, tags.GetCount());
    }
    // Counts whose bytes would pass 64 bits, read for a model of any frame count.
    std::vector<uint8_t> huge = damaged(8, 0x7fffffff);
    std::copy(huge.begin() + 8, huge.begin() + 12, huge.begin() + 12);
    CMD2Tags tags;
    std::string why;
    EXPECT_FALSE(tags.Parse("m/body.tag", huge, -1, why));
    EXPECT_EQ("Invalid tag file (2147483647 tags in 2147483647 frames do not fit its 528 bytes): m/body.tag!",
              why);
}

TEST(MD2Tags, TheTagFileIsFoundBesideItsModelInsideAnArchiveInAnyCase) {
    TempDir dir;
    const Md2Writer model = Md2Writer::Octahedron();
    TagFile file;
    file.AddRiding(model, "tag_head", {{4, 0, 2}});
    korvel::test::WriteFile(dir.File("tree/soldier/body.md2"), model.Bytes());
    korvel::test::WriteFile(dir.File("tree/soldier/BODY.TAG"), file.Bytes());
    korvel::test::WriteFile(dir.File("tree/soldier/head01.tag"), {});
    ASSERT_TRUE(korvel::test::ZipFolder(dir.File("tree"), dir.File("game.pk3")));
    const std::string tagPath = CMD2Tags::FindBeside(dir.File("game.pk3") + ":soldier/body.md2");
    EXPECT_EQ(dir.File("game.pk3") + ":soldier/BODY.TAG", tagPath);
    CMD2Tags tags;
    EXPECT_TRUE(tags.Read(tagPath, 9));
    EXPECT_EQ(1, tags.GetCount());
    EXPECT_EQ("", CMD2Tags::FindBeside(dir.File("tree/soldier/tris.md2")));
    korvel::test::CaptureStream err(2);
    EXPECT_FALSE(tags.Read(tagPath, 10));
    EXPECT_EQ("Invalid tag file (9 frames, but the model has 10): " + tagPath + "!\n", err.Text());
}

} // namespace
