// gltf2md2 run as a program: an MD2 model taken to glTF by md2gltf and brought back, a skinned column
// written with tinygltf baked into key frames checked against its joints, mirrored boxes that still
// face out, and damaged or oversized files refused in one line with no file left behind.
#include "graphics/PngWriter.h"
#include "models/MD2Loader.h"
#include "models/SkinSearch.h"
#include "support/BmpBytes.h"
#include "support/GltfBuilder.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <numeric>

using namespace korvel::test;

namespace {

ToolRun Gltf2md2(const TempDir& dir, const std::string& arguments) {
    return RunTool(dir, "gltf2md2", arguments);
}

// The names in a folder, sorted, but for the file RunTool catches standard error in.
std::vector<std::string> Listing(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        if (entry.path().filename() != "stderr.txt") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A square column 2 m tall standing on the origin, in rings every 0.5 m, textured around (u) and up
// (v) on a 16 x 32 skin; its seam repeats the first side's vertices with u = 1. Two joints: "root"
// at the origin and its child "bend" at 1 m; vertices below 1 m follow the root, above it the bend,
// and the ring at 1 m both by half. "Bend" turns the bend 90 degrees about z in 1 s; "Sway.Left"
// moves the root 0.5 m along x and turns the bend -60 degrees about x in 0.5 s.
const int kRings = 5, kSides = 4;
const float kHalfWidth = 0.1f;
const float kPi = 3.14159265f;

float RingHeight(int r) {
    return 0.5f * static_cast<float>(r);
}

struct Column {
    GltfBuilder gltf;
    int positions, texCoords, indices;
    std::vector<float> xyz, uv;
    std::vector<uint16_t> corners;
};

Column SkinnedColumn() {
    Column c;
    std::vector<uint16_t> joints;
    std::vector<float> weights;
    const float cornerX[] = {kHalfWidth, -kHalfWidth, -kHalfWidth, kHalfWidth, kHalfWidth};
    const float cornerZ[] = {kHalfWidth, kHalfWidth, -kHalfWidth, -kHalfWidth, kHalfWidth};
    for (int r = 0; r < kRings; ++r) {
        for (int k = 0; k <= kSides; ++k) {
            c.xyz.insert(c.xyz.end(), {cornerX[k], RingHeight(r), cornerZ[k]});
            c.uv.insert(c.uv.end(),
                        {static_cast<float>(k) / kSides, 1.0f - static_cast<float>(r) / (kRings - 1)});
            const float up = RingHeight(r) < 1.0f ? 0.0f : RingHeight(r) > 1.0f ? 1.0f : 0.5f;
            joints.insert(joints.end(), {0, 1, 0, 0});
            weights.insert(weights.end(), {1.0f - up, up, 0.0f, 0.0f});
        }
    }
    for (int r = 0; r + 1 < kRings; ++r) {
        for (int k = 0; k < kSides; ++k) {
            const auto at = [](int ring, int side) {
                return static_cast<uint16_t>(ring * (kSides + 1) + side);
            };
            c.corners.insert(c.corners.end(), {at(r, k), at(r, k + 1), at(r + 1, k + 1), at(r, k),
                                               at(r + 1, k + 1), at(r + 1, k)});
        }
    }
    tinygltf::Model& m = c.gltf.model;
    c.positions = c.gltf.AddFloats(c.xyz, 3, true);
    c.texCoords = c.gltf.AddFloats(c.uv, 2);
    c.indices = c.gltf.AddShorts(c.corners);
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.indices = c.indices;
    primitive.material = 0;
    primitive.attributes = {{"POSITION", c.positions},
                            {"TEXCOORD_0", c.texCoords},
                            {"JOINTS_0", c.gltf.AddShorts(joints, 4)},
                            {"WEIGHTS_0", c.gltf.AddFloats(weights, 4)}};
    m.meshes.emplace_back();
    m.meshes[0].primitives.push_back(primitive);

    std::vector<uint8_t> pixels, png;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 16; ++x) {
            pixels.insert(pixels.end(),
                          {static_cast<uint8_t>(16 * x), static_cast<uint8_t>(8 * y), 200, 255});
        }
    }
    EXPECT_TRUE(CPngWriter::EncodeRGBA(16, 32, pixels, png));
    m.materials.emplace_back();
    m.materials[0].pbrMetallicRoughness.baseColorTexture.index = c.gltf.AddTexture(png);

    m.nodes.resize(3);
    m.nodes[0].name = "column";
    m.nodes[0].mesh = 0;
    m.nodes[0].skin = 0;
    m.nodes[1].name = "root";
    m.nodes[1].children = {2};
    m.nodes[2].name = "bend";
    m.nodes[2].translation = {0, 1, 0};
    tinygltf::Skin skin;
    skin.joints = {1, 2};
    skin.inverseBindMatrices = c.gltf.AddFloats(
        {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -1, 0, 1},
        16);
    m.skins.push_back(skin);
    m.scenes.emplace_back();
    m.scenes[0].nodes = {0, 1};
    m.defaultScene = 0;

    const auto addChannel = [&](tinygltf::Animation& animation, int node, const char* path,
                                const std::vector<float>& times, const std::vector<float>& values,
                                int width) {
        c.gltf.AddChannel(animation, node, path, times, values, width);
    };
    // Rotations as quaternions (x, y, z, w) of half the angle.
    const float half = std::sqrt(0.5f), swayX = std::sin(-kPi / 6), swayW = std::cos(-kPi / 6);
    tinygltf::Animation bend, sway;
    bend.name = "Bend";
    addChannel(bend, 2, "rotation", {0, 1}, {0, 0, 0, 1, 0, 0, half, half}, 4);
    sway.name = "Sway.Left";
    addChannel(sway, 1, "translation", {0, 0.5f}, {0, 0, 0, 0.5f, 0, 0}, 3);
    addChannel(sway, 2, "rotation", {0, 0.5f}, {0, 0, 0, 1, swayX, 0, 0, swayW}, 4);
    m.animations = {bend, sway};
    return c;
}

// Where the column's vertex i stands at `time` of animation a (0 Bend, 1 Sway.Left), the joints'
// motion written out by hand: the root shifts everything, the bend turns what hangs on it about the
// point 1 m up.
Vec3 Expected(const Column& c, int a, double time, size_t i) {
    const double x = c.xyz[3 * i], y = c.xyz[3 * i + 1], z = c.xyz[3 * i + 2];
    const double up = y < 1 ? 0 : y > 1 ? 1 : 0.5;
    const double shift = a == 1 ? time : 0;
    const double angle = a == 0 ? kPi / 2 * time : -kPi / 3 * time / 0.5;
    const double ry = y - 1;
    const double turned[3] = {
        a == 0 ? x * std::cos(angle) - ry * std::sin(angle) : x,
        (a == 0 ? x * std::sin(angle) + ry * std::cos(angle) : ry * std::cos(angle) - z * std::sin(angle)) +
            1,
        a == 0 ? z : ry * std::sin(angle) + z * std::cos(angle)};
    const double gx = (1 - up) * x + up * turned[0] + shift;
    const double gy = (1 - up) * y + up * turned[1];
    const double gz = (1 - up) * z + up * turned[2];
    // In the loader's axes at 0.01 m a unit: glTF's z is MD2's x (forward), y is up, x is MD2's y.
    return Vec3(static_cast<float>(gz * 100), static_cast<float>(gy * 100), static_cast<float>(-gx * 100));
}

// The loaded model's texture coordinate and position of triangle i's corner j.
struct Corner {
    TexCoord st;
    Vec3 position;
};
Corner CornerOf(const ModelData& md2, size_t frame, size_t i, int j) {
    const Triangle& t = md2.frames[0].triangles[i];
    return {md2.frames[0].texCoords[t.texCoordIndex[j]], md2.frames[frame].positions[t.vertexIndex[j]]};
}

} // namespace

TEST(Gltf2md2, BringsBackWhatMd2gltfWroteFrameForFrame) {
    TempDir dir;
    const Md2Writer original = Md2Writer::Octahedron();
    ASSERT_TRUE(original.Write(dir.File("octa.md2")));
    BmpShape shape;
    shape.width = 8;
    shape.height = 6;
    WriteFile(dir.File("skin.bmp"), MakeBmp(shape));
    ASSERT_EQ(0, RunTool(dir, "md2gltf",
                         ShellQuote(dir.File("octa.md2")) + " -o " + ShellQuote(dir.File("octa.glb")))
                     .status);
    const ToolRun run = Gltf2md2(dir, "--fps 5 " + ShellQuote(dir.File("octa.glb")) + " -o " +
                                          ShellQuote(dir.File("back.md2")));
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);

    CMD2Loader before, after;
    ModelData a, b;
    ASSERT_TRUE(before.Load(a, dir.File("octa.md2").c_str(), nullptr));
    ASSERT_TRUE(after.Load(b, dir.File("back.md2").c_str(), nullptr));
    EXPECT_EQ(before.GetHeader().skinWidth, after.GetHeader().skinWidth);
    EXPECT_EQ(before.GetHeader().skinHeight, after.GetHeader().skinHeight);
    EXPECT_EQ(before.GetHeader().vertexCount, after.GetHeader().vertexCount) << "corners welded back";
    ASSERT_EQ(a.frameCount, b.frameCount);
    ASSERT_EQ(a.animationCount, b.animationCount);
    for (int n = 0; n < a.animationCount; ++n) {
        EXPECT_EQ(a.animations[n].name, b.animations[n].name);
        EXPECT_EQ(a.animations[n].firstFrame, b.animations[n].firstFrame);
        EXPECT_EQ(a.animations[n].endFrame, b.animations[n].endFrame);
    }
    EXPECT_EQ("stand01", after.GetFrameNames()[0]);
    // Triangle by triangle and corner by corner, in every frame: the same texture coordinate, and a
    // position within one packing step of the original (the original's step, the largest it can be).
    ASSERT_EQ(a.frames[0].triangleCount, b.frames[0].triangleCount);
    for (size_t f = 0; f < static_cast<size_t>(a.frameCount); ++f) {
        const auto& scale = original.frames[f].scale;
        for (size_t i = 0; i < static_cast<size_t>(a.frames[0].triangleCount); ++i) {
            for (int j = 0; j < 3; ++j) {
                const Corner x = CornerOf(a, f, i, j), y = CornerOf(b, f, i, j);
                EXPECT_EQ(x.st.u, y.st.u);
                EXPECT_EQ(x.st.v, y.st.v);
                EXPECT_NEAR(x.position.x, y.position.x, scale[0] + 1e-4)
                    << "frame " << f << " triangle " << i;
                EXPECT_NEAR(x.position.y, y.position.y, scale[2] + 1e-4)
                    << "frame " << f << " triangle " << i;
                EXPECT_NEAR(x.position.z, y.position.z, scale[1] + 1e-4)
                    << "frame " << f << " triangle " << i;
            }
        }
    }

    // The skin lies beside the model as PNG, named in its table, with the BMP's pixels.
    std::vector<std::string> tried;
    EXPECT_EQ(dir.File("back.png"), CSkinSearch::Find(dir.File("back.md2"), after.GetSkinNames(), tried));
    EXPECT_EQ(std::vector<std::string>{"back.png"}, after.GetSkinNames());
    SDL_Surface* png = IMG_Load(dir.File("back.png").c_str());
    ASSERT_NE(nullptr, png);
    SDL_Surface* rgba =
        SDL_CreateRGBSurface(SDL_SWSURFACE, png->w, png->h, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    SDL_BlitSurface(png, nullptr, rgba, nullptr);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint8_t* pixel = static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch + 4 * x;
            const BmpColour colour = BmpPatternColour(x, y);
            EXPECT_EQ((std::vector<int>{colour.r, colour.g, colour.b}),
                      (std::vector<int>{pixel[0], pixel[1], pixel[2]}))
                << x << "," << y;
        }
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(png);
}

TEST(Gltf2md2, BakesASkinnedColumnBendingOnItsJoints) {
    TempDir dir;
    const Column column = SkinnedColumn();
    WriteFile(dir.File("column.glb"), column.gltf.Glb());
    ToolRun run = Gltf2md2(dir, "--fps 4 --scale 0.01 " + ShellQuote(dir.File("column.glb")) + " -o " +
                                    ShellQuote(dir.File("column.md2")));
    ASSERT_EQ(0, run.status) << run.err;

    CMD2Loader loader;
    ModelData md2;
    ASSERT_TRUE(loader.Load(md2, dir.File("column.md2").c_str(), nullptr));
    EXPECT_EQ(16, loader.GetHeader().skinWidth);
    EXPECT_EQ(32, loader.GetHeader().skinHeight);
    // The seam's repeated vertices stand where the first side's do in every frame: welded.
    EXPECT_EQ(kRings * kSides, loader.GetHeader().vertexCount);
    ASSERT_EQ(2 * (kRings - 1) * kSides, md2.frames[0].triangleCount);
    // Bend: 1 s at 4 a second; Sway.Left: 0.5 s. The end of each is its next loop's start.
    ASSERT_EQ(6, md2.frameCount);
    ASSERT_EQ(2, md2.animationCount);
    EXPECT_EQ("Bend", md2.animations[0].name);
    EXPECT_EQ("Sway_Left", md2.animations[1].name);
    EXPECT_EQ(4, md2.animations[1].firstFrame);
    const std::pair<int, double> shown[6] = {{0, 0}, {0, 0.25}, {0, 0.5}, {0, 0.75}, {1, 0}, {1, 0.25}};
    for (size_t f = 0; f < 6; ++f) {
        // One packing step of this frame: its extent over 255 on each axis.
        Vec3 low(1e9f, 1e9f, 1e9f), high(-1e9f, -1e9f, -1e9f);
        for (size_t v = 0; v < column.xyz.size() / 3; ++v) {
            const Vec3 p = Expected(column, shown[f].first, shown[f].second, v);
            low = Vec3(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
            high = Vec3(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
        }
        const Vec3 step = (high - low) * (1.0f / 255);
        for (size_t i = 0; i < static_cast<size_t>(md2.frames[0].triangleCount); ++i) {
            for (int j = 0; j < 3; ++j) {
                // MD2 corner j is glTF corner 0, 2, 1: the fronts wind the other way.
                const size_t g = column.corners[3 * i + static_cast<size_t>(j == 0 ? 0 : 3 - j)];
                const Vec3 expected = Expected(column, shown[f].first, shown[f].second, g);
                const Corner got = CornerOf(md2, f, i, j);
                EXPECT_NEAR(expected.x, got.position.x, 0.5f * step.x + 1e-3f)
                    << "frame " << f << " vertex " << g;
                EXPECT_NEAR(expected.y, got.position.y, 0.5f * step.y + 1e-3f)
                    << "frame " << f << " vertex " << g;
                EXPECT_NEAR(expected.z, got.position.z, 0.5f * step.z + 1e-3f)
                    << "frame " << f << " vertex " << g;
                EXPECT_FLOAT_EQ(column.uv[2 * g], got.st.u);
                EXPECT_FLOAT_EQ(1.0f - column.uv[2 * g + 1], got.st.v);
            }
        }
    }
    // The top has really moved: turned 67.5 degrees about the bend, it leans over by about 0.9 m.
    const Vec3 top =
        md2.frames[3].positions[md2.frames[0].triangles[2 * (kRings - 2) * kSides].vertexIndex[1]];
    EXPECT_GT(std::fabs(top.z), 80.0f);

    // --max-frames spreads a long animation over as many frames as it allows.
    run = Gltf2md2(dir, "--fps 1000 --max-frames 8 " + ShellQuote(dir.File("column.glb")) + " -o " +
                            ShellQuote(dir.File("column.md2")));
    ASSERT_EQ(0, run.status) << run.err;
    ASSERT_TRUE(loader.Load(md2, dir.File("column.md2").c_str(), nullptr));
    EXPECT_EQ(16, md2.frameCount);
    EXPECT_EQ(8, md2.animations[1].firstFrame);
}

TEST(Gltf2md2, ReadsSparseMorphTargetsAsTheirDenseFile) {
    // md2gltf's frames are morph targets. Blender writes a target sparse, with no buffer view: the
    // vertices it moves by number, then their moves. Both files bake the same model.
    TempDir dir;
    ASSERT_TRUE(Md2Writer::Octahedron().Write(dir.File("octa.md2")));
    ASSERT_EQ(0, RunTool(dir, "md2gltf",
                         ShellQuote(dir.File("octa.md2")) + " -o " + ShellQuote(dir.File("dense.glb")))
                     .status);
    GltfBuilder sparse;
    std::string error, warning;
    ASSERT_TRUE(
        tinygltf::TinyGLTF().LoadBinaryFromFile(&sparse.model, &error, &warning, dir.File("dense.glb")));
    const auto targets = sparse.model.meshes[0].primitives[0].targets;
    ASSERT_FALSE(targets.empty());
    for (const auto& target : targets) {
        const auto index = static_cast<size_t>(target.at("POSITION"));
        std::vector<uint16_t> numbers(sparse.model.accessors[index].count);
        std::iota(numbers.begin(), numbers.end(), uint16_t{0});
        const int numbersView =
            sparse.model.accessors[static_cast<size_t>(sparse.AddShorts(numbers))].bufferView;
        tinygltf::Accessor& moves = sparse.model.accessors[index];
        moves.sparse.isSparse = true;
        moves.sparse.count = static_cast<int>(numbers.size());
        moves.sparse.indices = {0, numbersView, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT};
        moves.sparse.values = {moves.bufferView, static_cast<int>(moves.byteOffset)};
        moves.bufferView = -1;
        moves.byteOffset = 0;
    }
    WriteFile(dir.File("sparse.glb"), sparse.Glb());
    // Each into a folder of its own, so that the skin named inside is the same.
    for (const char* name : {"dense", "sparse"}) {
        std::filesystem::create_directory(dir.File(name));
        const ToolRun run = Gltf2md2(dir, ShellQuote(dir.File(std::string(name) + ".glb")) + " -o " +
                                              ShellQuote(dir.File(std::string(name) + "/out.md2")));
        ASSERT_EQ(0, run.status) << name << ": " << run.err;
    }
    EXPECT_TRUE(ReadFile(dir.File("dense/out.md2")) == ReadFile(dir.File("sparse/out.md2")));
}

TEST(Gltf2md2, KeepsTheFacesOfMirroredNodesFacingOut) {
    // Three boxes 2 m from the origin: one as built, one mirrored by a scale of -1 (as Blender writes
    // a mirrored object) and one by a matrix. glTF winds a mirrored node's fronts the other way.
    GltfBuilder gltf;
    const int material = gltf.AddTwoColourMaterial({{200, 200, 200}}, {{90, 90, 90}});
    gltf.AddBox(2, 0, 0, 1, 1, material);
    gltf.AddBox(2, 0, 0, 1, 1, material);
    gltf.model.nodes.back().scale = {-1, 1, 1};
    gltf.AddBox(0, 0, 2, 1, 1, material);
    gltf.model.nodes.back().matrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1};
    TempDir dir;
    WriteFile(dir.File("boxes.glb"), gltf.Glb());
    const ToolRun run = Gltf2md2(dir, "--scale 0.01 " + ShellQuote(dir.File("boxes.glb")) + " -o " +
                                          ShellQuote(dir.File("boxes.md2")));
    ASSERT_EQ(0, run.status) << run.err;

    CMD2Loader loader;
    ModelData md2;
    ASSERT_TRUE(loader.Load(md2, dir.File("boxes.md2").c_str(), nullptr));
    // In MD2's axes and centimetres the boxes stand at (0, 200, 0), (0, -200, 0) and (-200, 0, 0).
    // Every corner's normal, which the engine finds from the triangles' winding, points out of its box.
    const Vec3 centres[3] = {Vec3(0, 200, 0), Vec3(0, -200, 0), Vec3(-200, 0, 0)};
    const FrameMesh& frame = md2.frames[0];
    ASSERT_EQ(36, frame.triangleCount);
    for (size_t v = 0; v < frame.positions.size(); ++v) {
        for (const Vec3& centre : centres) {
            const Vec3 out = frame.positions[v] - centre;
            if (Length(out) < 100) {
                EXPECT_GT(Dot(out, frame.normals[v]), 0)
                    << "vertex " << v << " of the box at " << centre.x << ", " << centre.y;
            }
        }
    }
}

TEST(Gltf2md2, RefusesDamagedAndOversizedModelsInOneLineLeavingNoFile) {
    // Single bytes of the column's buffer changed through an accessor.
    const auto setFloat = [](Column& c, int accessor, size_t i, float value) {
        tinygltf::Model& m = c.gltf.model;
        const tinygltf::BufferView& view =
            m.bufferViews[static_cast<size_t>(m.accessors[static_cast<size_t>(accessor)].bufferView)];
        std::memcpy(&m.buffers[0].data[view.byteOffset + 4 * i], &value, 4);
    };
    struct Case {
        const char* what;
        std::function<void(Column&)> change;
        std::string options;
        const char* says;
    };
    const std::vector<Case> cases = {
        {"wrong accessor type",
         [](Column& c) {
             c.gltf.model.accessors[static_cast<size_t>(c.positions)].type = TINYGLTF_TYPE_VEC2;
         },
         "", "is not of type VEC3"},
        {"index out of range",
         [](Column& c) {
             tinygltf::Model& m = c.gltf.model;
             const size_t at =
                 m.bufferViews[static_cast<size_t>(m.accessors[static_cast<size_t>(c.indices)].bufferView)]
                     .byteOffset;
             m.buffers[0].data[at] = 200;
         },
         "", "index outside"},
        {"skin joints missing",
         [](Column& c) { c.gltf.model.meshes[0].primitives[0].attributes.erase("JOINTS_0"); }, "",
         "JOINTS_0"},
        {"joint outside the skin", [](Column& c) { c.gltf.model.skins[0].joints = {1}; }, "",
         "joint outside"},
        {"sparse index beyond the accessor",
         [](Column& c) {
             const int beyond =
                 c.gltf.model.accessors[static_cast<size_t>(c.gltf.AddShorts({60000}))].bufferView;
             tinygltf::Accessor& a = c.gltf.model.accessors[static_cast<size_t>(c.positions)];
             a.sparse.isSparse = true;
             a.sparse.count = 1;
             a.sparse.indices = {0, beyond, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT};
             a.sparse.values = {a.bufferView, 0};
         },
         "", "sparse with an index outside"},
        {"sparse accessor of a billion zeros",
         [](Column& c) {
             tinygltf::Accessor& a = c.gltf.model.accessors[static_cast<size_t>(c.positions)];
             a.sparse = {
                 1, true, {0, a.bufferView, TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE}, {a.bufferView, 0}};
             a.bufferView = -1;
             a.count = 1000000000;
         },
         "", "more elements than the file holds"},
        {"texture that does not decode",
         [](Column& c) {
             tinygltf::Model& m = c.gltf.model;
             const tinygltf::BufferView& view = m.bufferViews[static_cast<size_t>(m.images[0].bufferView)];
             std::fill_n(m.buffers[0].data.begin() + static_cast<long>(view.byteOffset), view.byteLength,
                         'x');
         },
         "", "does not decode"},
        {"texture coordinate beyond 16 bits", [&](Column& c) { setFloat(c, c.texCoords, 3, 4096.0f); }, "",
         "16-bit"},
        {"atlas that cannot fit",
         [&](Column& c) {
             // A second, plain material beside a texture repeated 100 times.
             setFloat(c, c.texCoords, 3, 100.0f);
             tinygltf::Model& m = c.gltf.model;
             m.materials.emplace_back();
             m.meshes[0].primitives.push_back(m.meshes[0].primitives[0]);
             m.meshes[0].primitives.back().material = 1;
         },
         "", "repeats 100 times"},
        {"position not a number", [&](Column& c) { setFloat(c, c.positions, 4, std::nanf("")); }, "",
         "finite"},
        {"too many key frames", [](Column&) {}, "--fps 1000 ", "512"},
        {"too many vertices",
         [](Column& c) {
             // 700 separate triangles.
             std::vector<float> xyz;
             for (int v = 0; v < 2100; ++v) {
                 xyz.insert(xyz.end(), {static_cast<float>(v), static_cast<float>(v % 3), 0});
             }
             tinygltf::Primitive& p = c.gltf.model.meshes[0].primitives[0];
             p.attributes = {{"POSITION", c.gltf.AddFloats(xyz, 3, true)}};
             p.indices = -1;
             c.gltf.model.nodes[0].skin = -1;
         },
         "--no-simplify ", "2048"},
    };
    for (const Case& test : cases) {
        TempDir dir;
        Column column = SkinnedColumn();
        test.change(column);
        WriteFile(dir.File("in.glb"), column.gltf.Glb());
        const ToolRun run = Gltf2md2(dir, test.options + ShellQuote(dir.File("in.glb")) + " -o " +
                                              ShellQuote(dir.File("out.md2")));
        EXPECT_EQ(1, run.status) << test.what;
        EXPECT_EQ(0u, run.err.find("gltf2md2: ")) << test.what << ": " << run.err;
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << test.what << ": " << run.err;
        EXPECT_NE(std::string::npos, run.err.find(test.says)) << test.what << ": " << run.err;
        EXPECT_EQ(std::vector<std::string>{"in.glb"}, Listing(dir)) << test.what;
    }
    // Files that are no glTF at all, or cut short, or missing.
    TempDir dir;
    const std::vector<uint8_t> glb = SkinnedColumn().gltf.Glb();
    WriteFile(dir.File("cut.glb"),
              std::vector<uint8_t>(glb.begin(), glb.begin() + static_cast<long>(glb.size() * 2 / 3)));
    WriteFile(dir.File("text.gltf"), {'n', 'o', '\n'});
    for (const char* name : {"cut.glb", "text.gltf", "missing.glb"}) {
        const ToolRun run =
            Gltf2md2(dir, ShellQuote(dir.File(name)) + " -o " + ShellQuote(dir.File("out.md2")));
        EXPECT_EQ(1, run.status) << name;
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << name << ": " << run.err;
        EXPECT_EQ((std::vector<std::string>{"cut.glb", "text.gltf"}), Listing(dir)) << name;
    }
}
