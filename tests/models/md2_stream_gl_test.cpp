// A crowd drawn from one mesh frame after frame: the mesh streams every instance's interpolated frame
// through the buffer objects it made on its first draw, never making more, and the last of many
// frames still shows what drawing each corner by itself shows.
#include "models/MD2Instance.h"
#include "models/MD2Mesh.h"
#include "support/EngineFixture.h"

#include "base/GL.h"

#include <memory>
#include <vector>

namespace {

uint32_t heldTicks = 0;

uint32_t HeldTicks() {
    return heldTicks;
}

// Buffer object names the context knows, counted over the first names it hands out.
int LiveBuffers() {
    int live = 0;
    for (GLuint name = 1; name < 4096; ++name) {
        live += glIsBuffer(name) ? 1 : 0;
    }
    return live;
}

class MD2StreamTest : public korvel::test::EngineTest {
protected:
    void SetUp() override { CMD2Instance::SetTickSource(HeldTicks); }
    void TearDown() override {
        CMD2Instance::SetTickSource(nullptr);
        CMD2Mesh::SetImmediateMode(false);
    }

    // One frame of the whole crowd, read back.
    static std::vector<uint8_t> Frame(std::vector<CMD2Instance>& crowd) {
        ClearFrame();
        glDepthFunc(GL_LEQUAL);
        gluLookAt(0.0, 45.0, 45.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        for (CMD2Instance& member : crowd) {
            member.Render();
        }
        return ReadFrame();
    }
};

} // namespace

TEST_F(MD2StreamTest, ACrowdDrawnAgainMakesNoBuffersAndKeepsItsPixels) {
    std::shared_ptr<const CMD2Mesh> mesh = CMD2Mesh::Load("Data/Models/MD2/tris.md2", "Data/Models/MD2/hobgoblin.bmp");
    ASSERT_TRUE(mesh);
    std::vector<CMD2Instance> crowd(256, CMD2Instance(mesh));
    for (int i = 0; i < 256; ++i) {
        CMD2Instance& member = crowd[static_cast<size_t>(i)];
        member.SetScale(0.03f, 0.03f, 0.03f);
        member.SetPosition(static_cast<float>(i % 16 - 8) * 3.0f, 0.0f, static_cast<float>(i / 16 - 8) * 3.0f);
        member.SetRotation(static_cast<float>((i * 47) % 360));
        member.SetAnimation(i);
    }
    heldTicks = 1000;
    Frame(crowd);
    const int afterFirstFrame = LiveBuffers();
    EXPECT_GT(afterFirstFrame, 0);
    // Every frame moves every instance part-way through its key frame, so every draw sends new arrays.
    std::vector<uint8_t> streamed;
    for (int frame = 1; frame <= 2; ++frame) {
        heldTicks += 70;
        streamed = Frame(crowd);
        EXPECT_EQ(afterFirstFrame, LiveBuffers()) << "frame " << frame;
    }
    // The same poses corner by corner: the clock is held, so the instances stay where they are.
    CMD2Mesh::SetImmediateMode(true);
    EXPECT_EQ(0, DifferingPixels(streamed, Frame(crowd)));
}
