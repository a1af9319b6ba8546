// CGuiList under the real event manager: the wheel, the scroll bar's thumb and track, a filter and a
// press on a row, judged from what the list reports and from the marked row it draws.
#include "GuiFixture.h"

#include "gui/GuiList.h"

#include <gtest/gtest.h>

namespace {

using korvel::test::GuiTest;

class ListTest : public GuiTest {};

TEST_F(ListTest, WheelBarAndFilterScrollAndARowPressNamesTheItemUnderIt) {
    const std::string art = dir.File("list_");
    Picture(art + "back.png", 8, 8, Black);
    Picture(art + "mark.png", 8, 8, Green);
    Picture(art + "track.png", 8, 8, Blue);
    Picture(art + "thumb.png", 8, 8, Red);
    // Five rows of 18 pixels at (100, 50), 200 wide; its bar is x 288 to 300.
    CGuiList list(art.c_str(), 100.0f, 50.0f, 200.0f, 94.0f, 7);
    std::vector<std::string> items;
    for (int i = 0; i < 30; ++i) {
        items.push_back("item" + std::to_string(i));
    }
    list.SetItems(items);
    auto draw = [&list] { list.Update(0.0f, 0.0f); };
    auto rowY = [](int row) { return 50 + 2 + 18 * row + 9; };

    MoveMouse(150, rowY(0));
    Frame(draw, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(list.GetFirstRow(), 3u);
    for (int notch = 0; notch < 10; ++notch) {
        Frame(draw, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN);
    }
    EXPECT_EQ(list.GetFirstRow(), 25u) << "the last row stays at the bottom";

    MoveMouse(150, rowY(1));
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(list.GetPressedItem(), 26);
    EXPECT_EQ(gEventManager->GetClickedWidget(), 7);
    Frame(draw, SDL_MOUSEBUTTONUP);
    EXPECT_EQ(list.GetPressedItem(), -1);

    // The thumb (16 pixels, at the bottom) dragged to the top scrolls back to the first row; a press
    // on the track below it then turns one page.
    MoveMouse(294, 50 + 94 - 8);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(At(294, 50 + 94 - 8), Red);
    MoveMouse(294, 40);
    Frame(draw);
    EXPECT_EQ(list.GetFirstRow(), 0u);
    Frame(draw, SDL_MOUSEBUTTONUP);
    MoveMouse(294, 130);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(list.GetFirstRow(), 5u);
    Frame(draw, SDL_MOUSEBUTTONUP);

    // "ITEM2" keeps item2 and item20 to item29, in any case; the last of them scrolled into view is
    // on the bottom row, where a press finds it and the mark is drawn.
    list.SetFilter("ITEM2");
    EXPECT_EQ(list.GetShown().size(), 11u);
    EXPECT_EQ(list.GetFirstRow(), 0u);
    list.ScrollToItem(29);
    list.SetMarked(29);
    EXPECT_EQ(list.GetFirstRow(), 6u);
    MoveMouse(150, rowY(4));
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(list.GetPressedItem(), 29);
    EXPECT_EQ(At(270, rowY(4)), Green);
    EXPECT_EQ(At(270, rowY(3)), Black);

    // A filter nothing passes leaves an empty list that takes presses harmlessly.
    list.SetFilter("zzz");
    Frame(draw, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN);
    Frame(draw, SDL_MOUSEBUTTONDOWN);
    EXPECT_EQ(list.GetPressedItem(), -1);
    EXPECT_EQ(list.GetFirstRow(), 0u);
}

} // namespace
