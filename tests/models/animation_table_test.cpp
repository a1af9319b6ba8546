// Animation tables beside a model: both kinds of file read line by line, every bad line named with its
// file and number and left out, and a model playing the table each animation at its own rate.
#include "models/AnimationTable.h"
#include "models/MD2Model.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using korvel::test::Md2Writer;
using korvel::test::TempDir;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

// "name first-last fps loop|once" for each animation, to compare whole tables at a glance.
std::vector<std::string> Summary(const std::vector<Animation>& animations) {
    std::vector<std::string> lines;
    for (const Animation& a : animations) {
        EXPECT_TRUE(a.endIsLast) << a.name;
        char rate[32];
        std::snprintf(rate, sizeof rate, "%g", static_cast<double>(a.framesPerSecond));
        lines.push_back(a.name + " " + std::to_string(a.firstFrame) + "-" + std::to_string(a.endFrame) + " " +
                        rate + (a.loop ? " loop" : " once"));
    }
    return lines;
}

TEST(AnimationTable, AnmLinesAreReadAndEveryBadOneIsNamedAndSkipped) {
    const std::string text = "\xEF\xBB\xBF// soldier\r\n"
                             "stand 0 19 10\r\n"
                             "\n"
                             "  run\t20 25 12.5   // a comment\n"
                             "walk 26 30\n"
                             "shoot 31 x 10\n"
                             "pain 30 29 10\n"
                             "death 35 40 10\n"
                             "jump 0 1 0\n"
                             "crouch 0 1 -5\n"
                             "salute 32 39 1001\n"
                             "a\x01 0 1 10\n"
                             "idle 39 39 2";
    std::vector<std::string> problems;
    const std::vector<Animation> table = CAnimationTable::Parse("m/tris.anm", Bytes(text), 40, problems);
    EXPECT_EQ((std::vector<std::string>{"stand 0-19 10 loop", "run 20-25 12.5 loop", "jump 0-1 0 loop",
                                        "idle 39-39 2 loop"}),
              Summary(table));
    const std::string rate = " is not a number of key frames a second from 0 to 1000; skipped";
    EXPECT_EQ((std::vector<std::string>{
                  "m/tris.anm:5: expected 'name first last fps', found 3 words; skipped",
                  "m/tris.anm:6: the first and last frames must be whole numbers from 0; skipped",
                  "m/tris.anm:7: it ends on frame 29 before it starts on frame 30; skipped",
                  "m/tris.anm:8: frames 35-40, but the model has 40 (0-39); skipped",
                  "m/tris.anm:10: the rate '-5'" + rate,
                  "m/tris.anm:11: the rate '1001'" + rate,
                  "m/tris.anm:12: control characters in the line; skipped"}),
              problems);
}

TEST(AnimationTable, AViewerStartsOnTheFirstStandingOrIdleAnimation) {
    const auto named = [](std::vector<std::string> names) {
        std::vector<Animation> list(names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            list[i].name = names[i];
        }
        return CAnimationTable::Standing(list);
    };
    EXPECT_EQ(2, named({"death1", "dead1", "STAND_rifle", "idle"}));
    EXPECT_EQ(1, named({"death", "Idle2", "stand"}));
    EXPECT_EQ(0, named({"death", "run"}));
    EXPECT_EQ(0, named({}));
}

TEST(AnimationTable, FramegroupsCountFramesCarryLoopAndNameUnnamedGroups) {
    const std::string text = "0 20 10 1 // stand still\n"
                             "20 6 15 0\n"
                             "26 0 10 1 // empty\n"
                             "26 5 10 2 // maybe\n"
                             "36 5 10 1 // too far\n"
                             "1 2 3 // short\n"
                             "26 14 8.5 0 //  fall  \n";
    std::vector<std::string> problems;
    const std::vector<Animation> table =
        CAnimationTable::Parse("A.MD2.FrameGroups", Bytes(text), 40, problems);
    EXPECT_EQ(
        (std::vector<std::string>{"stand still 0-19 10 loop", "group1 20-25 15 once", "fall 26-39 8.5 once"}),
        Summary(table));
    EXPECT_EQ((std::vector<std::string>{
                  "A.MD2.FrameGroups:3: the first frame must be a whole number from 0 and the count one from "
                  "1; skipped",
                  "A.MD2.FrameGroups:4: loop must be 1 or 0, not '2'; skipped",
                  "A.MD2.FrameGroups:5: frames 36-40, but the model has 40 (0-39); skipped",
                  "A.MD2.FrameGroups:6: expected 'first count fps loop // name', found 3 numbers; skipped"}),
              problems);
}

uint32_t now = 0;
uint32_t Clock() {
    return now;
}

TEST(AnimationTable, AModelPlaysEachAnimationAtItsOwnRateAndOneThatPlaysOnceStaysOnItsLastFrame) {
    TempDir dir;
    const std::string path = dir.File("soldier.md2");
    ASSERT_TRUE(Md2Writer::NamedFrames(std::vector<std::string>(40, "FRAME000")).Write(path));
    CMD2Model model;
    ASSERT_TRUE(model.Load(path.c_str(), nullptr));
    ASSERT_EQ(1, model.GetData().animationCount);

    std::vector<std::string> problems;
    auto table = std::make_shared<const std::vector<Animation>>(CAnimationTable::Parse(
        "soldier.framegroups", Bytes("0 10 10 1 // walk\n30 3 4 0 // die\n36 2 0 0 // dead\n"), 40, problems));
    ASSERT_TRUE(problems.empty());
    ASSERT_TRUE(model.SetAnimations(table));
    EXPECT_EQ(3, model.GetData().animationCount);
    EXPECT_EQ("die", model.GetData().animations[1].name);
    // The model shows the table over its mesh's frames, not a copy of them; the mesh stays the file's.
    const ModelData& meshData = model.GetInstance().GetMesh()->GetData();
    EXPECT_TRUE(model.GetData().frames.SharedWith(meshData.frames));
    EXPECT_EQ(1, meshData.animationCount);

    CMD2Model::SetTickSource(Clock);
    now = 10000;
    model.UpdateTime(1);
    EXPECT_EQ(1, model.GetData().currentFrame);
    // walk: 10 key frames a second, 100 ms each; 99 ms is not enough.
    now += 99;
    model.UpdateTime(2);
    EXPECT_EQ(1, model.GetData().currentFrame);
    now += 1;
    EXPECT_FLOAT_EQ(1.0f, model.UpdateTime(2));
    EXPECT_EQ(2, model.GetData().currentFrame);
    EXPECT_EQ(0, model.NextFrame(9));

    // die: 250 ms a key frame, then it stays on frame 32.
    model.SetAnimation(1);
    EXPECT_EQ(30, model.GetData().currentFrame);
    now += 249;
    EXPECT_FLOAT_EQ(249.0f / 250.0f, model.UpdateTime(31));
    EXPECT_EQ(30, model.GetData().currentFrame);
    EXPECT_EQ(32, model.NextFrame(31));
    EXPECT_EQ(32, model.NextFrame(32));
    // dead: a rate of 0 holds its first frame still, however long it shows.
    model.SetAnimation(2);
    now += 100000;
    EXPECT_FLOAT_EQ(0.0f, model.UpdateTime(37));
    EXPECT_EQ(36, model.GetData().currentFrame);
    CMD2Model::SetTickSource(nullptr);

    // A table naming frames the model lacks is refused whole; null goes back to the frame names.
    Animation beyond;
    beyond.firstFrame = 38;
    beyond.endFrame = 40;
    beyond.endIsLast = true;
    EXPECT_FALSE(model.SetAnimations(std::make_shared<const std::vector<Animation>>(1, beyond)));
    EXPECT_EQ(3, model.GetData().animationCount);
    ASSERT_TRUE(model.SetAnimations(nullptr));
    ASSERT_EQ(1, model.GetData().animationCount);
    EXPECT_EQ("FRAME0", model.GetData().animations[0].name);
}

} // namespace
