// Image lists without a GL context: frames whose files do not exist load as empty images (they draw
// nothing), which leaves the naming and the step clock to be checked on their own, on a fake clock.
#include "support/TestSupport.h"

#include "gui/ImageList.h"
#include "textures/Image.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using korvel::test::CaptureStream;

namespace {

uint32_t now = 0;
uint32_t FakeTicks() {
    return now;
}

const char* const Missing = "/nonexistent/korvel/frame";

class ImageListTest : public ::testing::Test {
protected:
    void SetUp() override {
        now = 1000;
        CImageList::SetTickSource(FakeTicks);
    }
    void TearDown() override { CImageList::SetTickSource(nullptr); }

    // A list of `count` empty frames, built quietly.
    static CImageList* Make(uint32_t count) {
        CaptureStream out(1);
        return new CImageList(Missing, count, 0.0f, 0.0f);
    }
};

TEST_F(ImageListTest, FramesAreNamedPrefixNumberPngWithoutPadding) {
    CaptureStream out(1);
    CImageList list("Data/GUI/b", 12, 3.0f, 4.0f);
    std::string log = out.Text();
    std::string expected;
    for (int n = 1; n <= 12; ++n) {
        expected += "Loading Texture: Data/GUI/b" + std::to_string(n) + ".png\n";
    }
    std::string loading;
    for (size_t at = log.find("Loading Texture: "); at != std::string::npos;
         at = log.find("Loading Texture: ", at + 1)) {
        loading += log.substr(at, log.find('\n', at) - at + 1);
    }
    EXPECT_EQ(loading, expected);
    EXPECT_EQ(list.GetFrameCount(), 12u);
    EXPECT_EQ(list.GetCurrentFrame(), 1u);
    EXPECT_FLOAT_EQ(list.GetX(), 3.0f);
    EXPECT_FLOAT_EQ(list.GetY(), 4.0f);
    // A frame that failed to load keeps its place.
    ASSERT_NE(list.GetFrame(11), nullptr);
    EXPECT_EQ(list.GetFrame(11)->texID, 0u);
}

TEST_F(ImageListTest, StepsOnlyAfterMoreThanTheFrameTimeAndAtMostOncePerCall) {
    CImageList* list = Make(5);
    now += 50; // 20 frames per second: 50 ms is not more than the frame time
    list->DrawLoop();
    EXPECT_EQ(list->GetCurrentFrame(), 1u);
    now += 1; // 51 ms after the last step
    list->DrawLoop();
    EXPECT_EQ(list->GetCurrentFrame(), 2u);
    list->DrawLoop(); // the step restarted the clock
    EXPECT_EQ(list->GetCurrentFrame(), 2u);
    now += 500; // ten frame times still give one step
    list->PlayOnce();
    EXPECT_EQ(list->GetCurrentFrame(), 3u);
    delete list;
}

TEST_F(ImageListTest, LoopingWrapsAndPlayOnceHoldsOnTheLastFrame) {
    CImageList* loop = Make(3);
    CImageList* once = Make(3);
    for (int i = 0; i < 3; ++i) {
        now += 60;
        loop->DrawLoopAt(1.0f, 2.0f);
        once->PlayOnceAt(1.0f, 2.0f);
    }
    EXPECT_EQ(loop->GetCurrentFrame(), 1u);
    EXPECT_EQ(once->GetCurrentFrame(), 3u);
    now += 60;
    once->PlayOnce();
    EXPECT_EQ(once->GetCurrentFrame(), 3u);
    delete loop;
    delete once;
}

TEST_F(ImageListTest, RewindAndDrawFrameLeaveTheStepClockAlone) {
    CImageList* list = Make(4);
    now += 60;
    list->PlayOnce();
    ASSERT_EQ(list->GetCurrentFrame(), 2u);
    now += 30;
    list->Rewind();
    list->DrawFrame(0);
    list->DrawFrameAt(3, 5.0f, 5.0f);
    EXPECT_EQ(list->GetCurrentFrame(), 1u);
    list->PlayOnceAt(0.0f, 0.0f); // 30 ms since the last step: frame 1 drawn, no step
    EXPECT_EQ(list->GetCurrentFrame(), 1u);
    now += 21; // 51 ms since the last step, not since the rewind
    list->PlayOnceAt(0.0f, 0.0f);
    EXPECT_EQ(list->GetCurrentFrame(), 2u);
    delete list;
}

TEST_F(ImageListTest, SingleFramesZeroRatesAndEmptyListsNeverStep) {
    CImageList* single = Make(1);
    CImageList* stopped = Make(4);
    stopped->SetFrameRate(0);
    CImageList* none = Make(0);
    CImageList empty;
    for (int i = 0; i < 5; ++i) {
        now += 1000;
        single->DrawLoop();
        single->PlayOnce();
        stopped->DrawLoop();
        none->DrawLoop();
        none->PlayOnce();
        empty.DrawLoop();
        empty.PlayOnce();
        empty.DrawFrame(0);
    }
    EXPECT_EQ(single->GetCurrentFrame(), 1u);
    EXPECT_EQ(stopped->GetCurrentFrame(), 1u);
    EXPECT_EQ(none->GetFrameCount(), 0u);
    EXPECT_EQ(empty.GetFrameCount(), 0u);
    EXPECT_EQ(empty.GetCurrentFrame(), 0u);
    EXPECT_EQ(empty.GetFrame(0), nullptr);
    delete single;
    delete stopped;
    delete none;
}

TEST_F(ImageListTest, FrameIndicesOutsideTheListGiveNothing) {
    CImageList* list = Make(2);
    EXPECT_NE(list->GetFrame(1), nullptr);
    EXPECT_EQ(list->GetFrame(2), nullptr);
    EXPECT_EQ(list->GetFrame(-1), nullptr);
    list->DrawFrame(2);
    list->DrawFrameAt(-5, 0.0f, 0.0f);
    EXPECT_EQ(list->GetCurrentFrame(), 1u);
    delete list;
}

TEST_F(ImageListTest, TheStepClockSurvivesTheTickCounterWrapping) {
    now = 0xFFFFFFF0u;
    CImageList* list = Make(3);
    now = 40; // 56 ms later, across the wrap
    list->DrawLoop();
    EXPECT_EQ(list->GetCurrentFrame(), 2u);
    delete list;
}

TEST_F(ImageListTest, GetPositionGivesTheListsOwnPair) {
    std::unique_ptr<CImageList> list(Make(1));
    list->SetPosition(3.0f, 4.0f);
    std::pair<float, float>& position = list->GetPosition();
    EXPECT_EQ(position, std::make_pair(3.0f, 4.0f));
    position.first = 7.0f;
    list->SetY(9.0f);
    EXPECT_EQ(list->GetX(), 7.0f);
    EXPECT_EQ(position.second, 9.0f);
    float x = 0.0f, y = 0.0f;
    list->GetPosition(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(7.0f, 9.0f));
}

} // namespace
