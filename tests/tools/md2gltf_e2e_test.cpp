// md2gltf run as a program on models the tests write, its files checked by the Khronos validator and
// read back with tinygltf: every frame's vertices, the winding, the animations and the skin's pixels.
#include "graphics/PngWriter.h"
#include "models/MD2Loader.h"
#include "support/BmpBytes.h"
#include "support/GltfValidator.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <SDL_image.h>
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

using namespace korvel::test;

namespace {

ToolRun Md2gltf(const TempDir& dir, const std::string& arguments) {
    return RunTool(dir, "md2gltf", arguments);
}

// tinygltf leaves the skin's bytes undecoded; the test decodes them itself.
bool KeepImageBytes(tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*,
                    int, void*) {
    return true;
}

tinygltf::Model ReadGltf(const std::string& path) {
    tinygltf::TinyGLTF reader;
    reader.SetImageLoader(KeepImageBytes, nullptr);
    tinygltf::Model model;
    std::string error, warning;
    const bool glb = path.size() > 4 && path.compare(path.size() - 4, 4, ".glb") == 0;
    const bool ok = glb ? reader.LoadBinaryFromFile(&model, &error, &warning, path)
                        : reader.LoadASCIIFromFile(&model, &error, &warning, path);
    EXPECT_TRUE(ok) << error;
    return model;
}

// Element i of an accessor of floats, as `width` components.
std::vector<float> Floats(const tinygltf::Model& model, int accessor, size_t i, int width) {
    const tinygltf::Accessor& a = model.accessors[static_cast<size_t>(accessor)];
    const tinygltf::BufferView& view = model.bufferViews[static_cast<size_t>(a.bufferView)];
    const size_t stride = view.byteStride ? view.byteStride : sizeof(float) * static_cast<size_t>(width);
    const unsigned char* at = model.buffers[0].data.data() + view.byteOffset + a.byteOffset + i * stride;
    std::vector<float> values(static_cast<size_t>(width));
    std::memcpy(values.data(), at, values.size() * sizeof(float));
    return values;
}

std::vector<uint32_t> Indices(const tinygltf::Model& model, int accessor) {
    const tinygltf::Accessor& a = model.accessors[static_cast<size_t>(accessor)];
    const tinygltf::BufferView& view = model.bufferViews[static_cast<size_t>(a.bufferView)];
    const unsigned char* at = model.buffers[0].data.data() + view.byteOffset + a.byteOffset;
    std::vector<uint32_t> indices;
    for (size_t i = 0; i < a.count; ++i) {
        uint16_t index;
        std::memcpy(&index, at + 2 * i, 2);
        indices.push_back(index);
    }
    return indices;
}

} // namespace

TEST(Md2gltf, CarriesEveryFrameAnimationAndTheSkinIntoAValidGlb) {
    TempDir dir;
    const Md2Writer writer = Md2Writer::Octahedron();
    ASSERT_TRUE(writer.Write(dir.File("octa.md2")));
    korvel::test::BmpShape shape;
    shape.width = 8;
    shape.height = 6;
    korvel::test::WriteFile(dir.File("skin.bmp"), korvel::test::MakeBmp(shape));
    const ToolRun run =
        Md2gltf(dir, ShellQuote(dir.File("octa.md2")) + " -o " + ShellQuote(dir.File("octa.glb")));
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);

    const korvel::test::GltfReport report = ValidateGltf(dir.File("octa.glb"));
    ASSERT_TRUE(report.ran) << report.text;
    EXPECT_EQ(0, report.errors) << report.text;
    EXPECT_EQ(0, report.warnings) << report.text;

    CMD2Loader loader;
    ModelData md2;
    ASSERT_TRUE(loader.Load(md2, dir.File("octa.md2").c_str(), nullptr));
    const tinygltf::Model gltf = ReadGltf(dir.File("octa.glb"));
    ASSERT_EQ(1u, gltf.meshes.size());
    ASSERT_EQ(1u, gltf.meshes[0].primitives.size());
    const tinygltf::Primitive& primitive = gltf.meshes[0].primitives[0];

    // Welded: one glTF vertex per distinct (vertex, texture coordinate) pair, 16-bit indices.
    std::set<std::pair<int, int>> corners;
    for (const Md2Triangle& t : writer.triangles) {
        for (int j = 0; j < 3; ++j) {
            corners.insert({t.vertex[j], t.texCoord[j]});
        }
    }
    const int position = primitive.attributes.at("POSITION");
    const size_t count = gltf.accessors[static_cast<size_t>(position)].count;
    EXPECT_EQ(corners.size(), count);
    EXPECT_EQ(count, gltf.accessors[static_cast<size_t>(primitive.attributes.at("NORMAL"))].count);
    EXPECT_EQ(count, gltf.accessors[static_cast<size_t>(primitive.attributes.at("TEXCOORD_0"))].count);
    EXPECT_EQ(TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT,
              gltf.accessors[static_cast<size_t>(primitive.indices)].componentType);
    const std::vector<uint32_t> indices = Indices(gltf, primitive.indices);
    ASSERT_EQ(3 * writer.triangles.size(), indices.size());
    ASSERT_EQ(writer.frames.size() - 1, primitive.targets.size());

    // Frame k, rebuilt from the base and target k and turned back into the loader's axes and units,
    // is the loader's frame k; glTF triangle i is MD2 triangle i with its last two corners swapped.
    const float scale = 0.03f;
    for (size_t k = 0; k < writer.frames.size(); ++k) {
        for (size_t i = 0; i < indices.size(); ++i) {
            const Md2Triangle& t = writer.triangles[i / 3];
            const int corner = static_cast<int>(i % 3);
            const int md2Vertex = t.vertex[static_cast<size_t>(corner == 0 ? 0 : 3 - corner)];
            std::vector<float> p = Floats(gltf, position, indices[i], 3);
            if (k > 0) {
                const std::vector<float> d =
                    Floats(gltf, primitive.targets[k - 1].at("POSITION"), indices[i], 3);
                for (int c = 0; c < 3; ++c) {
                    p[static_cast<size_t>(c)] += d[static_cast<size_t>(c)];
                }
            }
            const Vec3& expected = md2.frames[k].positions[md2Vertex];
            EXPECT_NEAR(expected.x, p[2] / scale, 1e-4) << "frame " << k << " corner " << i;
            EXPECT_NEAR(expected.y, p[1] / scale, 1e-4) << "frame " << k << " corner " << i;
            EXPECT_NEAR(expected.z, -p[0] / scale, 1e-4) << "frame " << k << " corner " << i;
        }
    }

    // Fronts wound counter-clockwise face outward, and so do the normals; the model stands upright
    // (the file's z is glTF's y) and faces +z (the file's x).
    Vec3 centre;
    for (size_t i = 0; i < count; ++i) {
        const std::vector<float> p = Floats(gltf, position, i, 3);
        centre = centre + Vec3(p[0], p[1], p[2]) * (1.0f / static_cast<float>(count));
    }
    for (size_t i = 0; i < indices.size(); i += 3) {
        std::vector<Vec3> p;
        for (int j = 0; j < 3; ++j) {
            const std::vector<float> v = Floats(gltf, position, indices[i + static_cast<size_t>(j)], 3);
            p.push_back(Vec3(v[0], v[1], v[2]));
        }
        const Vec3 front = Cross(p[1] - p[0], p[2] - p[0]);
        EXPECT_GT(Dot(front, (p[0] + p[1] + p[2]) * (1.0f / 3) - centre), 0) << "triangle " << i / 3;
        const std::vector<float> n = Floats(gltf, primitive.attributes.at("NORMAL"), indices[i], 3);
        EXPECT_GT(Dot(Vec3(n[0], n[1], n[2]), p[0] - centre), 0) << "triangle " << i / 3;
    }
    const tinygltf::Accessor& base = gltf.accessors[static_cast<size_t>(position)];
    EXPECT_NEAR(((128 + 72) * 0.75f - 10) * scale, base.maxValues[1], 1e-5)
        << "the file's top vertex (+z) is up";
    EXPECT_NEAR(((128 + 60) * 0.5f - 32) * scale, base.maxValues[2], 1e-5) << "the file's +x is glTF's +z";

    // One animation per MD2 animation, with the engine's key frames every 200 ms and back to the start.
    ASSERT_EQ(3u, gltf.animations.size());
    const std::vector<std::vector<int>> keys = {{0, 1, 2, 0}, {3, 4, 5, 6, 3}, {7, 8, 7}};
    for (size_t a = 0; a < 3; ++a) {
        const tinygltf::Animation& animation = gltf.animations[a];
        EXPECT_EQ(md2.animations[a].name, animation.name);
        const tinygltf::AnimationSampler& sampler = animation.samplers[0];
        EXPECT_EQ("LINEAR", sampler.interpolation);
        EXPECT_EQ("weights", animation.channels[0].target_path);
        ASSERT_EQ(keys[a].size(), gltf.accessors[static_cast<size_t>(sampler.input)].count) << animation.name;
        for (size_t i = 0; i < keys[a].size(); ++i) {
            EXPECT_FLOAT_EQ(0.2f * static_cast<float>(i), Floats(gltf, sampler.input, i, 1)[0]);
            const std::vector<float> weights = Floats(gltf, sampler.output, i, 8);
            for (int target = 0; target < 8; ++target) {
                EXPECT_EQ(target + 1 == keys[a][i] ? 1.0f : 0.0f, weights[static_cast<size_t>(target)])
                    << animation.name << " key " << i << " target " << target;
            }
        }
    }

    // The skin found beside the model, embedded as PNG, shows the BMP's own pixels.
    ASSERT_EQ(1u, gltf.images.size());
    const tinygltf::Image& image = gltf.images[0];
    EXPECT_EQ("image/png", image.mimeType);
    const tinygltf::BufferView& view = gltf.bufferViews[static_cast<size_t>(image.bufferView)];
    SDL_Surface* png = IMG_Load_RW(
        SDL_RWFromConstMem(gltf.buffers[0].data.data() + view.byteOffset, static_cast<int>(view.byteLength)),
        1);
    ASSERT_NE(nullptr, png);
    ASSERT_EQ(8, png->w);
    ASSERT_EQ(6, png->h);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint8_t* pixel = static_cast<const uint8_t*>(png->pixels) + y * png->pitch + 4 * x;
            const korvel::test::BmpColour colour = BmpPatternColour(x, y);
            EXPECT_EQ((std::vector<int>{colour.r, colour.g, colour.b, 255}),
                      (std::vector<int>{pixel[0], pixel[1], pixel[2], pixel[3]}))
                << x << "," << y;
        }
    }
    SDL_FreeSurface(png);
    const tinygltf::Material& material = gltf.materials[0];
    EXPECT_EQ(0, material.pbrMetallicRoughness.baseColorTexture.index);
    EXPECT_EQ(0.0, material.pbrMetallicRoughness.metallicFactor);
    // Texture coordinates measured from the image's top row: (4, 3) on the 8 x 6 skin is (0.5, 0.5),
    // (2, 5) is (0.25, 0.8333).
    // (4, 3) belongs to vertex 2 and to the top, (2, 5) to the top alone.
    int middle = 0, low = 0;
    for (size_t i = 0; i < count; ++i) {
        const std::vector<float> uv = Floats(gltf, primitive.attributes.at("TEXCOORD_0"), i, 2);
        middle += uv[0] == 0.5f && std::fabs(uv[1] - 0.5f) < 1e-6f;
        low += uv[0] == 0.25f && std::fabs(uv[1] - 5.0f / 6.0f) < 1e-6f;
    }
    EXPECT_EQ(2, middle);
    EXPECT_EQ(1, low);
}

TEST(Md2gltf, WritesAStillModelWithoutSkinAsAPlainGltfBesideItsBinFileWithUnitNormals) {
    TempDir dir;
    Md2Writer writer = Md2Writer::Octahedron();
    writer.skins.clear();
    // Two frames of different names, scales and translations that still put every vertex in one place.
    writer.frames.resize(2);
    writer.frames[1] = writer.frames[0];
    writer.frames[1].name = "pose2";
    // A thin plate, one triangle seen from both sides: its corners' face vectors cancel, and glTF
    // still needs a unit normal at each of them.
    const auto plate = static_cast<int16_t>(writer.frames[0].vertices.size());
    for (Md2Frame& frame : writer.frames) {
        frame.vertices.insert(frame.vertices.end(), {{{10, 10, 10}}, {{40, 10, 10}}, {{10, 10, 40}}});
    }
    const int16_t one = plate + 1, two = plate + 2;
    writer.triangles.push_back({{{plate, one, two}}, {{0, 0, 0}}});
    writer.triangles.push_back({{{plate, two, one}}, {{0, 0, 0}}});
    ASSERT_TRUE(writer.Write(dir.File("still.md2")));
    const ToolRun run = Md2gltf(dir, "--fps 10 " + ShellQuote(dir.File("still.md2")) + " --output " +
                                         ShellQuote(dir.File("still model.gltf")));
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ(0u, run.err.find("md2gltf: warning: no skin found for " + dir.File("still.md2"))) << run.err;
    EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << run.err;

    const korvel::test::GltfReport report = ValidateGltf(dir.File("still model.gltf"));
    ASSERT_TRUE(report.ran) << report.text;
    EXPECT_EQ(0, report.errors) << report.text;
    const tinygltf::Model gltf = ReadGltf(dir.File("still model.gltf"));
    EXPECT_EQ("still%20model.bin", gltf.buffers[0].uri);
    EXPECT_TRUE(gltf.meshes[0].primitives[0].targets.empty());
    EXPECT_TRUE(gltf.animations.empty());
    EXPECT_TRUE(gltf.images.empty());
    EXPECT_EQ(-1, gltf.materials[0].pbrMetallicRoughness.baseColorTexture.index);

    // A skin that lies where the .gltf file's copy would go is named as it is, never rewritten.
    const std::string skin = dir.File("still model.png");
    ASSERT_TRUE(CPngWriter::WriteRGBA(skin, 2, 2, std::vector<uint8_t>(16, 128)));
    const std::vector<uint8_t> before = korvel::test::ReadFile(skin);
    ASSERT_EQ(0, Md2gltf(dir, ShellQuote(dir.File("still.md2")) + " " + ShellQuote(skin) + " -o " +
                                  ShellQuote(dir.File("still model.gltf")))
                     .status);
    EXPECT_EQ(before, korvel::test::ReadFile(skin));
    const tinygltf::Model skinned = ReadGltf(dir.File("still model.gltf"));
    EXPECT_EQ("still%20model.png", skinned.images.at(0).uri);
    // A skin with an alpha channel is a cut-out, as the engine's alpha test draws it.
    EXPECT_EQ("MASK", skinned.materials.at(0).alphaMode);
}

TEST(Md2gltf, RefusesWrongCommandLinesAndUnreadableInputsInOneLine) {
    TempDir dir;
    ASSERT_TRUE(Md2Writer::Octahedron().Write(dir.File("octa.md2")));
    const std::string model = ShellQuote(dir.File("octa.md2"));
    ToolRun run = Md2gltf(dir, "--help");
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(0u, run.out.find("usage: md2gltf [OPTIONS] MODEL.md2 [SKIN] -o OUT.glb|OUT.gltf\n")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("\n  --scale S  ")) << run.out;
    EXPECT_EQ(0, Md2gltf(dir, "--version").status);
    for (const std::string& wrong :
         {std::string(""), model, model + " -o out.obj", model + " --fps 0 -o a.glb",
          model + " --scale -1 -o a.glb", model + " a b -o a.glb", std::string("--frobnicate")}) {
        run = Md2gltf(dir, wrong);
        EXPECT_EQ(2, run.status) << wrong;
        EXPECT_NE(std::string::npos, run.err.find("usage: md2gltf")) << wrong;
    }
    const std::string out = " -o " + ShellQuote(dir.File("out.glb"));
    for (const std::string& unreadable : {ShellQuote(dir.File("missing.md2")) + out,
                                          model + " " + ShellQuote(dir.File("missing.png")) + out}) {
        run = Md2gltf(dir, unreadable);
        EXPECT_EQ(1, run.status) << unreadable;
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << unreadable << ": " << run.err;
    }
    run = Md2gltf(dir, model + " -o " + ShellQuote(dir.File("no/such/folder/out.glb")));
    EXPECT_EQ(1, run.status);
    const std::string last = "\nmd2gltf: cannot write " + dir.File("no/such/folder/out.glb") + "\n";
    EXPECT_EQ(run.err.size() - last.size(), run.err.rfind(last)) << run.err;
}
