// gltf2md2 on a model over both MD2 limits, as people bring them: a bumpy sphere is simplified to fit
// and its silhouette, drawn with GL, stays that of the original triangles.
#include "models/MD2Loader.h"
#include "support/EngineFixture.h"
#include "support/GltfBuilder.h"
#include "support/TestSupport.h"

#include "base/GL.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace korvel::test;

namespace {

const float kPi = 3.14159265f;

} // namespace

class Gltf2md2Models : public EngineTest {
protected:
    // Draws triangles (three positions a corner, in the loader's axes) white on black, seen from the
    // side in an orthographic view of the box [-s, s]^3, and returns which pixels they cover.
    std::vector<bool> Silhouette(const std::vector<float>& corners, float s) {
        ClearFrame();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-s, s, -s, s, -10 * s, 10 * s);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glViewport(0, 0, 512, 512);
        glColor3f(1, 1, 1);
        glBegin(GL_TRIANGLES);
        for (size_t i = 0; i + 2 < corners.size(); i += 3) {
            glVertex3f(corners[i], corners[i + 1], corners[i + 2]);
        }
        glEnd();
        const std::vector<uint8_t> frame = korvel::test::ReadFrame(0, 0, 512, 512);
        std::vector<bool> covered(512 * 512);
        for (size_t p = 0; p < covered.size(); ++p) {
            covered[p] = frame[4 * p] > 128;
        }
        glViewport(0, 0, kWidth, kHeight);
        return covered;
    }
};

TEST_F(Gltf2md2Models, AModelOverBothLimitsIsSimplifiedAndKeepsItsSilhouette) {
    // A sphere of 1 m with bumps, 96 x 64 quads with a texture seam and poles: 12,288 triangles, each
    // with corners of its own as a flat-shaded model comes from Blender (36,864 vertices).
    const int across = 96, up = 64;
    std::vector<float> xyz, uv;
    for (int j = 0; j <= up; ++j) {
        for (int i = 0; i <= across; ++i) {
            const float theta = 2 * kPi * static_cast<float>(i) / across,
                        phi = kPi * static_cast<float>(j) / up;
            const float r = 1 + 0.2f * std::sin(5 * theta) * std::sin(4 * phi);
            xyz.insert(xyz.end(), {r * std::sin(phi) * std::cos(theta), r * std::cos(phi),
                                   r * std::sin(phi) * std::sin(theta)});
            uv.insert(uv.end(), {static_cast<float>(i) / across, static_cast<float>(j) / up});
        }
    }
    std::vector<float> faceXyz, faceUv;
    std::vector<uint16_t> corners;
    for (int j = 0; j < up; ++j) {
        for (int i = 0; i < across; ++i) {
            for (const auto& [a, b] :
                 {std::pair{i, j}, {i, j + 1}, {i + 1, j + 1}, {i, j}, {i + 1, j + 1}, {i + 1, j}}) {
                const size_t at = static_cast<size_t>(b * (across + 1) + a);
                corners.push_back(static_cast<uint16_t>(corners.size()));
                faceXyz.insert(faceXyz.end(), &xyz[3 * at], &xyz[3 * at + 3]);
                faceUv.insert(faceUv.end(), &uv[2 * at], &uv[2 * at + 2]);
            }
        }
    }
    xyz.swap(faceXyz);
    uv.swap(faceUv);
    GltfBuilder gltf;
    gltf.AddPart(xyz, uv, corners, gltf.AddTwoColourMaterial({{200, 30, 30}}, {{30, 30, 200}}));
    TempDir dir;
    WriteFile(dir.File("in.glb"), gltf.Glb());
    const ToolRun run =
        RunTool(dir, "gltf2md2",
                "--scale 0.01 " + ShellQuote(dir.File("in.glb")) + " -o " + ShellQuote(dir.File("out.md2")));
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_NE(std::string::npos, run.err.find("gltf2md2: simplified from 12,288 to ")) << run.err;

    CMD2Loader loader;
    ModelData md2;
    ASSERT_TRUE(loader.Load(md2, dir.File("out.md2").c_str(), nullptr));
    EXPECT_LE(loader.GetHeader().triangleCount, 4096);
    EXPECT_GT(loader.GetHeader().triangleCount, 2000) << "simplified no further than it needs";
    EXPECT_LE(loader.GetHeader().vertexCount, 2048);
    std::vector<float> simplified, original;
    for (int t = 0; t < md2.frames[0].triangleCount; ++t) {
        for (int c = 0; c < 3; ++c) {
            const Vec3& p = md2.frames[0].positions[md2.frames[0].triangles[t].vertexIndex[c]];
            simplified.insert(simplified.end(), {p.x, p.y, p.z});
        }
    }
    // The loader's axes at 0.01 m a unit: glTF's z forward, y up, x to the left.
    for (uint16_t corner : corners) {
        original.insert(original.end(),
                        {xyz[3 * corner + 2] * 100, xyz[3 * corner + 1] * 100, -xyz[3 * corner] * 100});
    }
    const std::vector<bool> a = Silhouette(original, 130), b = Silhouette(simplified, 130);
    long inside = 0, differ = 0;
    for (size_t p = 0; p < a.size(); ++p) {
        inside += a[p];
        differ += a[p] != b[p];
    }
    ASSERT_GT(inside, 50000);
    EXPECT_LT(static_cast<double>(differ) / static_cast<double>(inside), 0.03) << differ << " of " << inside;
}
