// The MD2 loader on files written by the test writer: decoding, animations, normals and refusals.
#include "models/MD2Loader.h"
#include "support/Md2Writer.h"
#include "support/ReferenceNormals.h"
#include "support/TestSupport.h"

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using korvel::test::CaptureStream;
using korvel::test::Md2Field;
using korvel::test::Md2Frame;
using korvel::test::Md2Writer;
using korvel::test::SetHeaderField;
using korvel::test::TempDir;

namespace {

// Loads bytes from memory, returning what went to standard error.
std::string LoadBytes(ModelData& model, const std::vector<uint8_t>& bytes, bool* ok,
                      const char* skin = nullptr) {
    CMD2Loader loader;
    CaptureStream err(STDERR_FILENO);
    *ok = loader.LoadFromMemory(model, bytes.data(), bytes.size(), "m.md2", skin);
    return err.Text();
}

std::vector<std::pair<std::string, int>> AnimationsOf(const std::vector<std::string>& names) {
    ModelData model;
    bool ok = false;
    LoadBytes(model, Md2Writer::NamedFrames(names).Bytes(), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(static_cast<int>(model.animations.size()), model.animationCount);
    std::vector<std::pair<std::string, int>> result;
    for (const Animation& a : model.animations) {
        result.push_back({a.name + " " + std::to_string(a.firstFrame), a.endFrame});
    }
    return result;
}

std::vector<std::string> Numbered(const std::string& base, int from, int to) {
    std::vector<std::string> names;
    for (int i = from; i <= to; ++i) {
        names.push_back(base + (i < 10 ? "0" : "") + std::to_string(i));
    }
    return names;
}

void ExpectVec(Vec3 expected, Vec3 actual) {
    EXPECT_NEAR(expected.x, actual.x, 1e-6f);
    EXPECT_NEAR(expected.y, actual.y, 1e-6f);
    EXPECT_NEAR(expected.z, actual.z, 1e-6f);
}

} // namespace

TEST(MD2LoaderTest, DecodesFramesWithTheAxisSwapAndSharesFrameZeroTables) {
    Md2Writer writer = Md2Writer::NamedFrames({"idle1", "idle2"});
    writer.frames[0].vertices[0] = {{10, 20, 30}};
    writer.frames[1].scale = {{2, 3, 4}};
    writer.frames[1].translate = {{5, 6, 7}};
    writer.frames[1].vertices[1] = {{1, 2, 3}};
    writer.texCoords[1] = {{128, 64}};
    writer.skins = {"skin.pcx"};
    std::vector<uint8_t> bytes = writer.Bytes();
    std::memcpy(bytes.data(), "XXXX", 4);
    TempDir dir;
    korvel::test::WriteFile(dir.File("m.md2"), bytes);

    ModelData model;
    CMD2Loader loader;
    ASSERT_TRUE(loader.Load(model, dir.File("m.md2").c_str(), "Data/skin.bmp"));
    EXPECT_EQ(8, loader.GetHeader().version);
    ASSERT_EQ(2, model.frameCount);
    ASSERT_EQ(2u, model.frames.size());
    ExpectVec(Vec3(10, 30, -20), model.frames[0].positions[0]);
    ExpectVec(Vec3(1 * 2 + 5, 3 * 4 + 7, -(2 * 3 + 6)), model.frames[1].positions[1]);
    for (const FrameMesh& frame : model.frames) {
        EXPECT_EQ(3, frame.vertexCount);
        EXPECT_EQ(1, frame.triangleCount);
        EXPECT_EQ(3, frame.texCoordCount);
    }
    ASSERT_FALSE(model.frames[0].texCoords.empty());
    EXPECT_FLOAT_EQ(0.5f, model.frames[0].texCoords[1].u);
    EXPECT_FLOAT_EQ(0.75f, model.frames[0].texCoords[1].v);
    EXPECT_FLOAT_EQ(1.0f, model.frames[0].texCoords[0].v);
    ASSERT_FALSE(model.frames[0].triangles.empty());
    EXPECT_EQ(2, model.frames[0].triangles[0].vertexIndex[2]);
    EXPECT_TRUE(model.frames[1].texCoords.empty());
    EXPECT_TRUE(model.frames[1].triangles.empty());
    ASSERT_EQ(1, model.materialCount);
    EXPECT_EQ("Data/skin.bmp", model.materials[0].fileName);

    // Loading from memory gives the same model, and without a skin no material.
    ModelData fromMemory;
    bool ok = false;
    EXPECT_EQ("", LoadBytes(fromMemory, bytes, &ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(0, fromMemory.materialCount);
    EXPECT_TRUE(fromMemory.materials.empty());
    EXPECT_EQ(0, std::memcmp(model.frames[1].positions.data(), fromMemory.frames[1].positions.data(),
                             3 * sizeof(Vec3)));
}

TEST(MD2LoaderTest, AnimationsAreCutFromTrailingFrameNumbers) {
    std::vector<std::string> standRun = Numbered("stand", 1, 40);
    for (const std::string& name : Numbered("run", 1, 6)) {
        standRun.push_back(name);
    }
    using Runs = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ((Runs{{"stand 0", 40}, {"run 40", 45}}), AnimationsOf(standRun));
    EXPECT_EQ((Runs{{"a 0", 2}}), AnimationsOf({"a1", "a2", "b1"}));
    EXPECT_EQ((Runs{{"pain1 0", 2}}), AnimationsOf({"pain101", "pain102", "x1"}));
    EXPECT_EQ((Runs{{"run0 0", 2}, {"stand 2", 3}}), AnimationsOf({"run001", "run002", "stand1", "stand2"}));
    EXPECT_EQ(Runs{}, AnimationsOf({"single01"}));
    // A name that fills its 16 bytes is read within them.
    EXPECT_EQ((Runs{{"walk_cycle_lo 0", 1}}), AnimationsOf({"walk_cycle_lo01", "walk_cycle_lo02"}));
    EXPECT_EQ((Runs{{"walk_cycle_long_ 0", 1}}),
              AnimationsOf({"walk_cycle_long_xyz", "walk_cycle_long_abc"}));
}

TEST(MD2LoaderTest, FirstFramesOutsideTheFileAreClamped) {
    using Runs = std::vector<std::pair<std::string, int>>;
    // Unnumbered: the run would start at -1.
    EXPECT_EQ((Runs{{"base 0", 2}, {"other 1", 3}}), AnimationsOf({"base", "base", "other", "other"}));
    // Numbered from 50: the run would start at frame 49 of a six-frame file.
    EXPECT_EQ((Runs{{"walk 5", 4}, {"idle 4", 5}}),
              AnimationsOf({"walk50", "walk51", "walk52", "walk53", "idle1", "idle2"}));
}

TEST(MD2LoaderTest, NormalsAverageFaceVectorsOfSharedVerticesAndAreAlwaysUnit) {
    // With scale (1, -1, 1) the packed bytes (b0, b1, b2) land at model position (b0, b2, b1).
    Md2Writer writer;
    Md2Frame frame;
    frame.name = "still";
    frame.scale = {{1, -1, 1}};
    frame.vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 0, 1}}, {{0, 1, 0}}, {{9, 9, 9}}, {{5, 0, 0}},
                      {{6, 0, 0}}, {{7, 0, 0}}, {{0, 0, 0}}, {{1, 0, 0}}, {{0, 0, 1}}};
    writer.frames = {frame};
    // Then a line (5, 6, 7) and a plate seen from both sides (8, 9, 10), whose faces cancel.
    writer.triangles = {{{{0, 1, 2}}, {{0, 0, 0}}},
                        {{{0, 3, 2}}, {{0, 0, 0}}},
                        {{{5, 6, 7}}, {{0, 0, 0}}},
                        {{{8, 9, 10}}, {{0, 0, 0}}},
                        {{{8, 10, 9}}, {{0, 0, 0}}}};
    ModelData model;
    bool ok = false;
    LoadBytes(model, writer.Bytes(), &ok);
    ASSERT_TRUE(ok);
    const Vec3* n = model.frames[0].normals.data();
    const float h = std::sqrt(0.5f);
    ExpectVec(Vec3(h, 0, -h), n[0]);
    ExpectVec(Vec3(h, 0, -h), n[2]);
    ExpectVec(Vec3(0, 0, -1), n[1]);
    ExpectVec(Vec3(1, 0, 0), n[3]);
    // Every drawn vertex has a unit normal: the line's face up, the plate's take their first face.
    ExpectVec(Vec3(0, 0, 0), n[4]);
    for (int i = 5; i < 8; ++i) {
        ExpectVec(Vec3(0, 1, 0), n[i]);
    }
    for (int i = 8; i < 11; ++i) {
        ExpectVec(Vec3(0, 0, -1), n[i]);
    }
}

TEST(MD2LoaderTest, NormalsMatchTheVertexByVertexScanBitForBit) {
    Md2Writer writer = Md2Writer::RandomMesh(300, 700, 4, 20240611);
    ModelData model;
    bool ok = false;
    LoadBytes(model, writer.Bytes(), &ok);
    ASSERT_TRUE(ok);
    const Triangle* triangles = model.frames[0].triangles.data();
    int used = 0;
    for (const FrameMesh& frame : model.frames) {
        std::vector<Vec3> expected = korvel::test::ScanNormals(frame.positions.data(), frame.vertexCount,
                                                               triangles, frame.triangleCount);
        for (int i = 0; i < frame.vertexCount; ++i) {
            if (std::isnan(expected[i].x)) {
                EXPECT_EQ(Vec3(), frame.normals[i]) << "unused vertex " << i;
                continue;
            }
            ++used;
            EXPECT_EQ(0, std::memcmp(&expected[i], &frame.normals[i], sizeof(Vec3))) << "vertex " << i;
        }
    }
    EXPECT_GT(used, 4 * 250);
}

struct Refusal {
    const char* reason;
    void (*corrupt)(Md2Writer& writer, std::vector<uint8_t>& bytes);
};

class MD2LoaderRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(MD2LoaderRefusalTest, PrintsOneLineAndLeavesTheModelEmpty) {
    Md2Writer writer = Md2Writer::NamedFrames({"a1", "a2", "a3"});
    const std::vector<uint8_t> good = writer.Bytes();
    std::vector<uint8_t> bytes = good;
    GetParam().corrupt(writer, bytes);
    TempDir dir;
    std::string path = dir.File("bad.md2");
    korvel::test::WriteFile(path, bytes);

    // A model loaded before is emptied by the refused load.
    ModelData model;
    CMD2Loader first;
    ASSERT_TRUE(first.LoadFromMemory(model, good.data(), good.size(), "ok", "skin.bmp"));
    CMD2Loader loader;
    CaptureStream err(STDERR_FILENO);
    bool ok = loader.Load(model, path.c_str(), "skin.bmp");
    EXPECT_EQ(std::string("Invalid file format (") + GetParam().reason + "): " + path + "!\n", err.Text());
    EXPECT_FALSE(ok);
    EXPECT_EQ(0, model.frameCount);
    EXPECT_TRUE(model.frames.empty());
    EXPECT_EQ(0, model.animationCount);
    EXPECT_TRUE(model.animations.empty());
    EXPECT_EQ(0, model.materialCount);
    EXPECT_TRUE(model.materials.empty());
}

#define CORRUPT(body)                                                                                        \
    [](Md2Writer& w, std::vector<uint8_t>& b) {                                                              \
        (void)w;                                                                                             \
        body;                                                                                                \
    }

INSTANTIATE_TEST_SUITE_P(
    Header, MD2LoaderRefusalTest,
    ::testing::Values(
        Refusal{"Header incomplete", CORRUPT(b.resize(40))},
        Refusal{"Version not 8", CORRUPT(SetHeaderField(b, Md2Field::Version, 7))},
        Refusal{"Negative count", CORRUPT(SetHeaderField(b, Md2Field::TriangleCount, -1))},
        Refusal{"Negative count", CORRUPT(SetHeaderField(b, Md2Field::FrameCount, -3))},
        Refusal{"More than 2070 vertices", CORRUPT(SetHeaderField(b, Md2Field::VertexCount, 2071))},
        Refusal{"Frame size too small for its vertices",
                CORRUPT(SetHeaderField(b, Md2Field::FrameSize, 40 + 4 * 3 - 1))},
        Refusal{"Frame size over 8320 bytes", CORRUPT(SetHeaderField(b, Md2Field::FrameSize, 8324))},
        Refusal{"Texture coordinates outside the file",
                CORRUPT(SetHeaderField(b, Md2Field::TexCoordOffset, -4))},
        Refusal{"Triangles outside the file",
                CORRUPT(SetHeaderField(b, Md2Field::TriangleCount, 0x7fffffff))},
        Refusal{"Frames outside the file", CORRUPT(b.pop_back())},
        Refusal{"Frames outside the file", CORRUPT(SetHeaderField(b, Md2Field::FrameOffset, -52))},
        Refusal{"Skin size not positive", CORRUPT(SetHeaderField(b, Md2Field::SkinHeight, 0))},
        Refusal { "Vertex index out of range", CORRUPT(w.triangles[0].vertex[1] = 3; b = w.Bytes()) },
        Refusal { "Vertex index out of range", CORRUPT(w.triangles[0].vertex[0] = -1; b = w.Bytes()) },
        Refusal {
            "Texture coordinate index out of range", CORRUPT(w.triangles[0].texCoord[2] = 3; b = w.Bytes())
        }));

TEST(MD2LoaderTest, FramesOfUpTo2070VerticesFillTheFrameLimitAndLoad) {
    Md2Writer writer = Md2Writer::RandomMesh(2060, 100, 2, 7);
    writer.skins = {"models/x/skin.pcx"};
    ModelData model;
    bool ok = false;
    EXPECT_EQ("", LoadBytes(model, writer.Bytes(), &ok));
    ASSERT_TRUE(ok);
    ASSERT_EQ(2, model.frameCount);
    EXPECT_EQ(2060, model.frames[1].vertexCount);
}

TEST(MD2LoaderTest, ASkinTableOutsideTheFileLeavesTheModelAndNoSkinNames) {
    Md2Writer writer = Md2Writer::NamedFrames({"a1", "a2", "a3"});
    writer.skins = {"skin.pcx"};
    std::vector<uint8_t> bytes = writer.Bytes();
    CMD2Loader loader;
    ModelData model;
    ASSERT_TRUE(loader.LoadFromMemory(model, bytes.data(), bytes.size(), "m.md2", nullptr));
    EXPECT_EQ(std::vector<std::string>{"skin.pcx"}, loader.GetSkinNames());

    SetHeaderField(bytes, Md2Field::SkinOffset, static_cast<int32_t>(bytes.size()) + 64);
    CaptureStream err(STDERR_FILENO);
    EXPECT_TRUE(loader.LoadFromMemory(model, bytes.data(), bytes.size(), "m.md2", nullptr));
    EXPECT_EQ("", err.Text());
    EXPECT_TRUE(loader.GetSkinNames().empty());
    EXPECT_EQ(3, model.frameCount);
    EXPECT_EQ(1, model.animationCount);
}

TEST(MD2LoaderTest, MissingFileIsReportedWithItsWholePath) {
    std::string path = "/nonexistent/" + std::string(3000, 'p') + ".md2";
    ModelData model;
    CMD2Loader loader;
    CaptureStream err(STDERR_FILENO);
    EXPECT_FALSE(loader.Load(model, path.c_str(), "skin.bmp"));
    EXPECT_EQ("Unable to find the file: " + path + "!\n", err.Text());
    EXPECT_TRUE(model.frames.empty());
    EXPECT_TRUE(model.materials.empty());
}

TEST(MD2LoaderTest, ModelWithoutTextureCoordinatesLoadsUntextured) {
    Md2Writer writer = Md2Writer::NamedFrames({"a1", "a2"});
    writer.texCoords.clear();
    writer.skinWidth = 0;
    ModelData model;
    bool ok = false;
    EXPECT_EQ("", LoadBytes(model, writer.Bytes(), &ok));
    ASSERT_TRUE(ok);
    EXPECT_TRUE(model.frames[0].texCoords.empty());
    EXPECT_FALSE(model.frames[0].triangles.empty());
}

TEST(MD2LoaderTest, APipeIsReadOnlyAsFarAsTheModelReaches) {
    // The writer keeps its end of the pipe open until the loader is done (or ten seconds pass), so a
    // loader that reads on to the end of the stream waits for the writer to give up.
    TempDir dir;
    const std::string path = dir.File("pipe.md2");
    ASSERT_EQ(0, mkfifo(path.c_str(), 0600));
    const std::vector<uint8_t> bytes = Md2Writer::NamedFrames({"a1", "a2", "b1"}).Bytes();
    std::mutex mutex;
    std::condition_variable changed;
    bool loaded = false;
    bool writerGaveUp = false;
    std::thread writer([&] {
        FILE* pipe = std::fopen(path.c_str(), "wb");
        ASSERT_NE(nullptr, pipe);
        std::fwrite(bytes.data(), 1, bytes.size(), pipe);
        std::fflush(pipe);
        std::unique_lock<std::mutex> lock(mutex);
        writerGaveUp = !changed.wait_for(lock, std::chrono::seconds(10), [&] { return loaded; });
        lock.unlock();
        std::fclose(pipe);
    });

    ModelData model;
    CMD2Loader loader;
    const bool ok = loader.Load(model, path.c_str(), nullptr);
    {
        std::lock_guard<std::mutex> lock(mutex);
        loaded = true;
    }
    changed.notify_one();
    writer.join();
    EXPECT_TRUE(ok);
    EXPECT_FALSE(writerGaveUp);
    EXPECT_EQ(3, model.frameCount);
    EXPECT_EQ(1, model.animationCount);
}
