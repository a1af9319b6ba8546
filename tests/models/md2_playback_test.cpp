// Key-frame playback of CMD2Model without drawing: the file's last animation reaches the file's last
// frame, and paused playback steps one key frame at a time.
#include "models/MD2Model.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using korvel::test::Md2Writer;
using korvel::test::TempDir;

namespace {

uint32_t now = 0;
uint32_t Clock() {
    return now;
}

TEST(MD2PlaybackTest, TheLastAnimationShowsTheFinalFrameAndStepsWrapWhilePaused) {
    TempDir dir;
    std::string path = dir.File("ab.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames({"a1", "a2", "b1", "b2", "b3"}).Write(path));
    CMD2Model model;
    ASSERT_TRUE(model.Load(path.c_str(), nullptr));
    model.SetAnimation(0);
    EXPECT_EQ(1, model.NextFrame(0));
    EXPECT_EQ(0, model.NextFrame(1));
    // b runs 2..4 with its end frame 4 inclusive: frame 4 is shown before b starts again.
    model.SetAnimation(1);
    EXPECT_EQ(3, model.NextFrame(2));
    EXPECT_EQ(4, model.NextFrame(3));
    EXPECT_EQ(2, model.NextFrame(4));

    CMD2Model::SetTickSource(Clock);
    model.SetPaused(true);
    model.StepKeyFrame(-1);
    EXPECT_EQ(4, model.GetData().currentFrame);
    model.StepKeyFrame(1);
    EXPECT_EQ(2, model.GetData().currentFrame);
    now = 5000;
    model.SetPaused(false);
    now += 199;
    model.UpdateTime(3);
    EXPECT_EQ(2, model.GetData().currentFrame) << "a resumed key frame runs its whole 200 ms";
    CMD2Model::SetTickSource(nullptr);
}

} // namespace
