// The font manager without a display: numbering with fallback to the last font, and a font image
// that cannot be loaded ending the process after the loading line.
#include "text/Font.h"
#include "text/FontManager.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(FontManager, NumbersFromOneWithFallbackToTheLastFont) {
    CFontManager manager;
    EXPECT_EQ(manager.GetFont(1), nullptr) << "no font loaded yet";
    CFont first;
    CFont second;
    manager.AddFont(&first);
    EXPECT_EQ(manager.GetFont(1), &first);
    EXPECT_EQ(manager.GetFont(0), &first);
    EXPECT_EQ(manager.GetFont(5), &first);
    manager.AddFont(&second);
    EXPECT_EQ(manager.GetFont(1), &first);
    EXPECT_EQ(manager.GetFont(2), &second);
    EXPECT_EQ(manager.GetFont(3), &second);
    EXPECT_EQ(manager.GetFont(0), &second);
}

TEST(FontManagerDeathTest, AFontImageThatCannotBeLoadedEndsTheProcessWithStatusOne) {
    EXPECT_EXIT(
        {
            // The log goes to stdout; send it where the death test can read it.
            dup2(2, 1);
            CFontManager manager;
            manager.LoadFont("Data/Font/missing.tga");
        },
        ::testing::ExitedWithCode(1),
        "Loading Font: Data/Font/missing.tga\nCould not open texture file: Data/Font/missing.tga\n"
        "Cannot load the font Data/Font/missing.tga \\(working directory ");
}
