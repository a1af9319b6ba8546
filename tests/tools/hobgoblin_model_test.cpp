// The viewer's hobgoblin as our own loader reads it: twenty animations in the usual order, a body
// standing on the grid and facing +x, outward normals, motion in every animation the number keys
// reach, and a skin painted where the texture coordinates point.
#include "demo/ViewerScene.h"
#include "models/MD2Loader.h"
#include "support/TestSupport.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kModel = std::string(KORVEL_RUNTIME_DIR) + "/" + CViewerScene::kModelPath;
const std::string kSkin = std::string(KORVEL_RUNTIME_DIR) + "/" + CViewerScene::kSkinPath;

// The animations in file order with their frame counts.
const std::vector<std::pair<std::string, int>> kAnimations = {
    {"stand", 40}, {"run", 6},     {"attack", 8},  {"pain1", 4},   {"pain2", 4},
    {"pain3", 4},  {"jump", 6},    {"flip", 12},   {"salute", 11}, {"taunt", 17},
    {"wave", 11},  {"point", 12},  {"crstnd", 19}, {"crwalk", 6},  {"crattak", 9},
    {"crpain", 4}, {"crdeath", 5}, {"death1", 6},  {"death2", 6},  {"death3", 8}};

class Hobgoblin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(loader.Load(model, kModel.c_str(), kSkin.c_str())); }

    const FrameMesh& Frame(int i) const { return model.frames[size_t(i)]; }
    // The largest distance any vertex moves between two frames.
    float LargestMove(int a, int b) const {
        float largest = 0;
        for (int v = 0; v < Frame(a).vertexCount; ++v) {
            largest = std::max(largest, Distance(Frame(a).positions[v], Frame(b).positions[v]));
        }
        return largest;
    }
    float MeanMove(int a, int b) const {
        float sum = 0;
        for (int v = 0; v < Frame(a).vertexCount; ++v) {
            sum += Distance(Frame(a).positions[v], Frame(b).positions[v]);
        }
        return sum / float(Frame(a).vertexCount);
    }
    float Lowest(int f) const {
        float low = 1e9f;
        for (int v = 0; v < Frame(f).vertexCount; ++v) {
            low = std::min(low, Frame(f).positions[v].y);
        }
        return low;
    }
    float Highest(int f) const {
        float high = -1e9f;
        for (int v = 0; v < Frame(f).vertexCount; ++v) {
            high = std::max(high, Frame(f).positions[v].y);
        }
        return high;
    }

    CMD2Loader loader;
    ModelData model;
};

TEST_F(Hobgoblin, HasTheTwentyAnimationsInOrderWithTheirFrameCounts) {
    ASSERT_EQ(model.animationCount, 20);
    int first = 0;
    for (size_t i = 0; i < kAnimations.size(); ++i) {
        SCOPED_TRACE(kAnimations[i].first);
        EXPECT_EQ(model.animations[i].name, kAnimations[i].first);
        EXPECT_EQ(model.animations[i].firstFrame, first);
        first += kAnimations[i].second;
        // The file's last animation ends on its last frame, the others on the next one's first.
        EXPECT_EQ(model.animations[i].endFrame, i + 1 < kAnimations.size() ? first : first - 1);
    }
    EXPECT_EQ(model.frameCount, first);
    EXPECT_GE(Frame(0).triangleCount, 600);
    const int vertexLimit = CMD2Loader::kMaxVertices;
    EXPECT_LE(Frame(0).vertexCount, vertexLimit);
}

TEST_F(Hobgoblin, NamesItsFramesWithTwoDigitNumbersFromOne) {
    // With one-digit numbers "pain1" frame 1 would read "pain11" and the trailing-number rule would
    // merge pain1, pain2 and pain3 into one animation.
    const std::vector<uint8_t> file = korvel::test::ReadFile(kModel);
    const MD2Header& header = loader.GetHeader();
    int frame = 0;
    for (const auto& [name, count] : kAnimations) {
        for (int k = 1; k <= count; ++k, ++frame) {
            char expected[32];
            std::snprintf(expected, sizeof expected, "%s%02d", name.c_str(), k);
            const size_t at = size_t(header.frameOffset) + size_t(header.frameSize) * size_t(frame) + 24;
            ASSERT_LE(at + 16, file.size());
            EXPECT_STREQ(reinterpret_cast<const char*>(&file[at]), expected) << "frame " << frame;
        }
    }
    EXPECT_EQ(frame, model.frameCount);
}

TEST_F(Hobgoblin, KeepsItsSkinOnTheTextureAndItsTrianglesWhole) {
    for (int t = 0; t < Frame(0).texCoordCount; ++t) {
        const TexCoord st = Frame(0).texCoords[t];
        EXPECT_TRUE(st.u >= 0 && st.u <= 1 && st.v >= 0 && st.v <= 1) << t;
    }
    // However a pose bends the body, no edge is torn to several times its rest length or crushed
    // to nothing, as a vertex following the wrong bone would be.
    std::set<std::pair<int, int>> edges;
    for (int t = 0; t < Frame(0).triangleCount; ++t) {
        const int32_t* c = Frame(0).triangles[t].vertexIndex;
        for (int k = 0; k < 3; ++k) {
            edges.insert({std::min(c[k], c[(k + 1) % 3]), std::max(c[k], c[(k + 1) % 3])});
        }
    }
    for (int f = 0; f < model.frameCount; ++f) {
        float longest = 0, shortest = 1e9f;
        for (const auto& [a, b] : edges) {
            const float rest = Distance(Frame(0).positions[a], Frame(0).positions[b]);
            if (rest > 0.5f) {
                const float ratio = Distance(Frame(f).positions[a], Frame(f).positions[b]) / rest;
                longest = std::max(longest, ratio);
                shortest = std::min(shortest, ratio);
            }
        }
        EXPECT_LT(longest, 3.5f) << "frame " << f;
        EXPECT_GT(shortest, 0.15f) << "frame " << f;
    }
}

TEST_F(Hobgoblin, StandsOnTheGroundWithItsHeadNearThirtyTwo) {
    for (int f = 0; f < 40; ++f) {
        EXPECT_NEAR(Lowest(f), -24.0f, 0.3f) << "stand" << f + 1;
        EXPECT_NEAR(Highest(f), 32.0f, 2.0f) << "stand" << f + 1;
    }
    for (int f = 0; f < model.frameCount; ++f) {
        EXPECT_GT(Lowest(f), -24.3f) << "frame " << f << " sinks into the ground";
    }
    // A jump leaves the ground.
    const int jump = model.animations[6].firstFrame;
    EXPECT_GT(Lowest(jump + 3), -24.0f + 8.0f);
}

TEST_F(Hobgoblin, FacesPlusXWithNormalsPointingOutOfEveryPart) {
    // The head's front (nose, eyes) lies well forward of its back.
    float front = -1e9f, back = 1e9f;
    for (int v = 0; v < Frame(0).vertexCount; ++v) {
        const Vec3 p = Frame(0).positions[v];
        if (p.y > 20.0f && std::fabs(p.z) < 3.0f) {
            front = std::max(front, p.x);
            back = std::min(back, p.x);
        }
    }
    EXPECT_GT(front, 8.0f);
    EXPECT_GT(front, -back + 4.0f);
    // The body is made of separate parts (connected through shared vertices). Over each solid part
    // the normals point away from its middle on the whole; a part wound the wrong way round would
    // be lit from inside. (Each face of the loincloth is a flat sheet with no inside.)
    std::vector<int> part(size_t(Frame(0).vertexCount));
    for (size_t v = 0; v < part.size(); ++v) {
        part[v] = int(v);
    }
    std::function<int(int)> root = [&](int v) {
        return part[size_t(v)] == v ? v : part[size_t(v)] = root(part[size_t(v)]);
    };
    for (int t = 0; t < Frame(0).triangleCount; ++t) {
        const int32_t* corner = Frame(0).triangles[t].vertexIndex;
        part[size_t(root(corner[1]))] = root(corner[0]);
        part[size_t(root(corner[2]))] = root(corner[0]);
    }
    std::map<int, std::vector<int>> parts;
    for (int v = 0; v < Frame(0).vertexCount; ++v) {
        parts[root(v)].push_back(v);
    }
    EXPECT_GT(parts.size(), 20u) << "head, eyes, ears, limbs, hands, fingers, club...";
    for (int f : {0, model.animations[7].firstFrame + 5}) {
        for (const auto& [id, vertices] : parts) {
            Vec3 middle;
            for (int v : vertices) {
                middle = Add(middle, Frame(f).positions[v]);
            }
            middle = DivideByScalar(middle, float(vertices.size()));
            float outward = 0;
            Vec3 normalSum;
            for (int v : vertices) {
                outward += Dot(Frame(f).normals[v], Subtract(Frame(f).positions[v], middle));
                normalSum = Add(normalSum, Frame(f).normals[v]);
            }
            const float count = float(vertices.size());
            if (Length(normalSum) < 0.9f * count) {
                EXPECT_GT(outward / count, 0.1f) << "part of vertex " << id << " in frame " << f;
            }
        }
    }
}

TEST_F(Hobgoblin, EveryNumberKeyAnimationMovesSmoothlyAndNeverLooksLikeStanding) {
    const Animation& stand = model.animations[0];
    for (int a = 0; a < 10; ++a) {
        const Animation& animation = model.animations[size_t(a)];
        SCOPED_TRACE(animation.name);
        float biggestStep = 0, biggestMeanStep = 0;
        for (int f = animation.firstFrame; f < animation.endFrame; ++f) {
            // Playback loops back to the first frame after the last.
            const int next = f + 1 < animation.endFrame ? f + 1 : animation.firstFrame;
            biggestStep = std::max(biggestStep, LargestMove(f, next));
            biggestMeanStep = std::max(biggestMeanStep, MeanMove(f, next));
            if (a == 0) {
                continue;
            }
            // Whenever a key is pressed, the pose on screen is plainly not one of standing's.
            float nearestStanding = 1e9f;
            for (int s = stand.firstFrame; s < stand.endFrame; ++s) {
                nearestStanding = std::min(nearestStanding, LargestMove(s, f));
            }
            EXPECT_GT(nearestStanding, 4.0f) << "frame " << f;
        }
        // A club may whip through a blow between two key frames, but the body never jumps.
        EXPECT_LT(biggestStep, a == 0 ? 8.0f : 64.0f);
        EXPECT_LT(biggestMeanStep, a == 0 ? 2.0f : 28.0f);
    }
}

TEST(HobgoblinSkin, IsA256Square24BitPictureWithGreenHideAndDarkerClothing) {
    SDL_Surface* skin = SDL_LoadBMP(kSkin.c_str());
    ASSERT_NE(skin, nullptr) << SDL_GetError();
    EXPECT_EQ(skin->w, 256);
    EXPECT_EQ(skin->h, 256);
    EXPECT_EQ(skin->format->BitsPerPixel, 24);
    auto average = [&](int x0, int y0, int x1, int y1) {
        double sum[3] = {0, 0, 0};
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const Uint8* p = static_cast<const Uint8*>(skin->pixels) + y * skin->pitch + x * 3;
                Uint8 rgb[3];
                SDL_GetRGB(Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16, skin->format, &rgb[0],
                           &rgb[1], &rgb[2]);
                for (int c = 0; c < 3; ++c) {
                    sum[c] += rgb[c];
                }
            }
        }
        const double n = double(x1 - x0) * (y1 - y0);
        return std::vector<double>{sum[0] / n, sum[1] / n, sum[2] / n};
    };
    // The side of the skull: green hide.
    const auto hide = average(8, 30, 40, 50);
    EXPECT_GT(hide[1], hide[0] * 1.15);
    EXPECT_GT(hide[1], hide[2] * 1.5);
    // The loincloth and the belt are darker than the hide and not green.
    for (const auto& cloth : {average(136, 76, 168, 100), average(140, 58, 244, 70)}) {
        EXPECT_LT(cloth[0] + cloth[1] + cloth[2], hide[0] + hide[1] + hide[2]);
        EXPECT_GT(cloth[0], cloth[1]);
    }
    // The eyes are yellow: bright red and green, little blue.
    const auto eye = average(204, 28, 212, 36);
    EXPECT_GT(eye[0], 180);
    EXPECT_GT(eye[1], 120);
    EXPECT_LT(eye[2], 80);
    SDL_FreeSurface(skin);
}

} // namespace
