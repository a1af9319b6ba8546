// Parts on an instance: a box on a tag that rides the body's top vertex is drawn where that vertex is
// in the pose shown, through an animation; a linked part stays on the body's frame; a tag or a link
// that cannot be is one line and nothing added.
#include "models/MD2Instance.h"
#include "support/EngineFixture.h"
#include "support/HeldClock.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include "base/GL.h"

#include <memory>

using korvel::files::TagFile;
using korvel::test::CaptureStream;
using korvel::test::Md2Writer;
using korvel::test::RunCommand;
using korvel::test::ShellQuote;

namespace {

// The body's top vertex, which the tag rides.
const int kTop = 4;

class MD2AttachmentsTest : public korvel::test::EngineTest {
protected:
    void SetUp() override {
        const Md2Writer body = Md2Writer::Octahedron();
        TagFile file;
        file.AddRiding(body, "tag_head", {{kTop, 0, 2}});
        tags = std::make_shared<CMD2Tags>();
        std::string why;
        ASSERT_TRUE(tags->Parse("octa.tag", file.Bytes(), 9, why)) << why;
        CaptureStream out(1);
        ASSERT_TRUE(body.Write(dir.File("octa.md2")));
        ASSERT_TRUE(Md2Writer::Box({{6, 6, 6}}, {}).Write(dir.File("box.md2")));
        bodyMesh = CMD2Mesh::Load(dir.File("octa.md2").c_str(), Skin("blue.bmp", "xc:blue").c_str());
        boxMesh = CMD2Mesh::Load(dir.File("box.md2").c_str(), Skin("red.bmp", "xc:red").c_str());
        ASSERT_TRUE(bodyMesh && boxMesh);
    }

    std::string Skin(const std::string& name, const std::string& pattern) {
        const std::string path = dir.File(name);
        EXPECT_EQ(0,
                  RunCommand("convert -size 8x8 " + pattern + " -type truecolor BMP3:" + ShellQuote(path)));
        return path;
    }

    // The camera on the body, and the body moved and turned.
    static void Look() {
        ClearFrame();
        gluLookAt(30.0, 90.0, 260.0, 30.0, 90.0, -30.0, 0.0, 1.0, 0.0);
        glTranslatef(4.0f, 0.0f, 0.0f);
        glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
    }

    // Where the point p of the body's space is drawn, in window pixels with y from the bottom.
    static void Project(Vec3 p, double& x, double& y) {
        Look();
        GLdouble model[16], projection[16], z;
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
    }

    // The centre of the red pixels of a frame, and how many there are.
    static int RedCentre(const std::vector<uint8_t>& frame, double& x, double& y) {
        int count = 0;
        x = y = 0.0;
        for (int i = 0; i < kWidth * kHeight; ++i) {
            const uint8_t* p = &frame[static_cast<size_t>(i) * 4];
            if (p[0] > 40 && p[0] > 2 * p[1] && p[0] > 2 * p[2]) {
                x += i % kWidth;
                y += i / kWidth;
                ++count;
            }
        }
        if (count > 0) {
            x /= count;
            y /= count;
        }
        return count;
    }

    korvel::test::HeldClock clock{1000};
    korvel::test::TempDir dir;
    std::shared_ptr<CMD2Tags> tags;
    std::shared_ptr<const CMD2Mesh> bodyMesh, boxMesh;
};

TEST_F(MD2AttachmentsTest, APartOnATagFollowsItThroughTheAnimation) {
    CMD2Instance body(bodyMesh);
    ASSERT_TRUE(body.SetTags(tags));
    auto box = std::make_shared<CMD2Instance>(boxMesh);
    ASSERT_TRUE(body.Attach("TAG_HEAD", box));
    EXPECT_EQ(box, body.GetPart("tag_head"));
    const std::vector<FrameMesh>& frames = bodyMesh->GetData().frames;
    // stand1-3 play frames 0, 1, 2 and again 0; the first draw at the held clock ends frame 0.
    struct Step {
        uint32_t ticks;
        int from, next;
        float t;
    };
    for (const Step& step :
         {Step{1000, 0, 1, 1.0f}, Step{1100, 1, 2, 0.5f}, Step{1250, 1, 2, 1.0f}, Step{1300, 2, 0, 0.25f}}) {
        clock.ticks = step.ticks;
        Look();
        body.Render();
        const std::vector<uint8_t> drawn = ReadFrame();
        const Vec3 a = frames[static_cast<size_t>(step.from)].positions[kTop];
        const Vec3 b = frames[static_cast<size_t>(step.next)].positions[kTop];
        const Vec3 top = a + (b - a) * step.t;
        const MD2TagTransform tag = body.GetTagTransform(0);
        const std::string at = "at tick " + std::to_string(step.ticks);
        EXPECT_NEAR(0.0f, Length(tag.origin - top), 1e-3f) << at;
        EXPECT_NEAR(0.0f, Length(tag.origin - tags->Interpolate(0, step.from, step.next, step.t).origin),
                    1e-5f)
            << at;
        double x, y, seenX, seenY;
        Project(tag.Apply(Vec3(3.0f, 3.0f, -3.0f)), x, y);
        ASSERT_GT(RedCentre(drawn, seenX, seenY), 20) << at;
        EXPECT_NEAR(x, seenX, 2.0) << at;
        EXPECT_NEAR(y, seenY, 2.0) << at;
    }
}

TEST_F(MD2AttachmentsTest, ALinkedPartStaysOnTheBodysFrame) {
    CMD2Instance body(bodyMesh);
    Md2Writer weapon = Md2Writer::Octahedron();
    ASSERT_TRUE(weapon.Write(dir.File("weapon.md2")));
    auto linked = std::make_shared<CMD2Instance>(CMD2Mesh::Load(dir.File("weapon.md2").c_str(), nullptr));
    linked->SetAnimation(2);
    ASSERT_TRUE(body.Link(linked));
    body.SetAnimation(1);
    for (uint32_t ticks = 1000; ticks < 3000; ticks += 130) {
        clock.ticks = ticks;
        Look();
        body.Render();
        EXPECT_EQ(body.GetFrame(), linked->GetFrame()) << "at tick " << ticks;
    }
    EXPECT_GE(body.GetFrame(), 3);
}

TEST_F(MD2AttachmentsTest, AMissingTagOrALinkOfOtherFramesIsOneLineAndNothingAdded) {
    CMD2Instance body(bodyMesh);
    auto box = std::make_shared<CMD2Instance>(boxMesh);
    CaptureStream err(2);
    EXPECT_FALSE(body.Attach("tag_head", box));
    ASSERT_TRUE(body.SetTags(tags));
    EXPECT_FALSE(body.Attach("tag_rweapon", box));
    EXPECT_FALSE(body.Link(box));
    EXPECT_FALSE(CMD2Instance(boxMesh).SetTags(tags));
    EXPECT_TRUE(body.GetParts().empty());
    EXPECT_EQ("No tag 'tag_head' on the model (it has no tags); nothing attached\n"
              "No tag 'tag_rweapon' on the model (its tags: tag_head); nothing attached\n"
              "The linked model has 2 frames, but the model has 9; nothing linked\n"
              "The tags have 9 frames, but the model has 2; no tags\n",
              err.Text());
}

} // namespace
