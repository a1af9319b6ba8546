// The engine as others use it: installed into a prefix that is then moved, its headers compiled one
// by one, a one-file program built with pkg-config, the out-of-tree game built with find_package, and
// the installed viewer started far from its data. Programs are judged from screenshots.
#include "support/InstalledEngine.h"
#include "support/ViewerFacts.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace korvel::test;

namespace fs = std::filesystem;

namespace {

TEST_F(InstalledEngine, LaysOutTheGnuFoldersAndEveryHeaderCompilesAlone) {
    std::set<std::string> top;
    for (const auto& entry : fs::directory_iterator(prefix)) {
        top.insert(entry.path().filename().string());
    }
    EXPECT_EQ(top, (std::set<std::string>{"bin", "include", "lib", "share"}));
    for (const char* file :
         {"lib/libkorvel.a", "lib/pkgconfig/korvel.pc", "lib/cmake/Korvel/KorvelConfig.cmake",
          "lib/cmake/Korvel/KorvelConfigVersion.cmake", "bin/md2viewer", "bin/md2info", "bin/md2gltf",
          "bin/gltf2md2", "share/man/man1/md2viewer.1.gz", "share/man/man1/md2info.1.gz",
          "share/man/man1/md2gltf.1.gz", "share/man/man1/gltf2md2.1.gz", "share/doc/korvel/LICENSE",
          "share/korvel/Data/Font/font.tga", "share/korvel/Data/Font/LICENSE",
          "share/korvel/shaders/simpleTexture.vert", "share/doc/korvel/examples/gui/GuiExample.cpp"}) {
        EXPECT_TRUE(fs::is_regular_file(prefix + "/" + file)) << file;
    }
    // The examples are sources to read, not commands.
    for (const auto& entry : fs::directory_iterator(prefix + "/bin")) {
        EXPECT_EQ(entry.path().filename().string().find("example"), std::string::npos) << entry.path();
    }
    int headers = 0;
    for (const auto& entry : fs::recursive_directory_iterator(prefix)) {
        EXPECT_NE(entry.path().filename(), ".gitkeep") << entry.path();
        if (entry.path().extension() != ".h" || entry.path().string().find(prefix + "/include/") != 0) {
            continue;
        }
        ++headers;
        std::string header = fs::relative(entry.path(), prefix + "/include").string();
        std::string log;
        EXPECT_EQ(
            Shell("echo '#include <" + header +
                      ">' | c++ -std=c++17 -fsyntax-only -Wall -Wextra -Wpedantic -Werror \"$@\" -x c++ -",
                  &log),
            0)
            << header << "\n"
            << log;
    }
    EXPECT_GT(headers, 30);
}

TEST_F(InstalledEngine, OneFileProgramBuiltWithPkgConfigShowsItsTextAndSprite) {
    // The README shows this file whole, below its first comment line.
    std::string source = ReadText(KORVEL_SOURCE_DIR "/examples/consumer/hello.cpp");
    source.erase(0, source.find('\n') + 1);
    EXPECT_NE(ReadText(KORVEL_SOURCE_DIR "/README.md").find("```cpp\n" + source + "```\n"),
              std::string::npos);

    std::string log;
    const std::string hello = dir.File("hello");
    ASSERT_EQ(Shell("c++ " + ShellQuote(KORVEL_SOURCE_DIR "/examples/consumer/hello.cpp") + " -o " +
                        ShellQuote(hello) + " \"$@\"",
                    &log, "--cflags --libs"),
              0)
        << log;

    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    // Started in an empty folder: the data comes from the prefix's share/ through XDG_DATA_DIRS.
    fs::create_directory(dir.File("empty"));
    ProgramRun run(display, hello, {}, dir.File("empty"), {"XDG_DATA_DIRS=" + prefix + "/share"});
    ASSERT_TRUE(run.WaitForWindow("Hello Korvel")) << run.Stdout() << run.Stderr();
    const std::string shot = dir.File("hello.png");
    EXPECT_TRUE(ScreenshotUntil(display, "Hello Korvel", shot, [&] {
        return FindPixels(shot, IsLightText, {20, 20, 340, 14}).pixels > 300 &&
               FindPixels(shot, IsOrangeLogo, {220, 200, 200, 60}).pixels > 500;
    })) << run.Stdout();
    EXPECT_EQ(run.KeyUntilExit("Escape"), 0) << run.Stderr();
}

TEST_F(InstalledEngine, GameBuiltWithFindPackageDrawsItsCrowdAndQuitsFromItsButton) {
    std::string log;
    const std::string build = dir.File("game build");
    // Built from the copy the installation carries, as someone with only the package would.
    ASSERT_EQ(BuildProject(prefix + "/share/doc/korvel/examples/consumer", build, &log), 0) << log;

    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    ProgramRun run(display, build + "/spinning-game", {}, build);
    ASSERT_TRUE(run.WaitForWindow("Spinning hobgoblin")) << run.Stdout() << run.Stderr();
    const std::string shot = dir.File("game.png");
    EXPECT_TRUE(ScreenshotUntil(display, "Spinning hobgoblin", shot, [&] {
        // The spinning hobgoblin, and the ends of the row of instances behind it.
        return FindPixels(shot, IsLightText, {10, 10, 420, 14}).pixels > 300 &&
               FindPixels(shot, IsGreenSkin, {250, 150, 300, 350}).pixels > 2000 &&
               FindPixels(shot, IsGreenSkin, {150, 270, 100, 130}).pixels > 300 &&
               FindPixels(shot, IsGreenSkin, {620, 290, 80, 120}).pixels > 300;
    })) << run.Stdout();
    EXPECT_EQ(run.Stdout().find("Could not"), std::string::npos) << run.Stdout();
    EXPECT_EQ(run.Stdout().find("Failed"), std::string::npos) << run.Stdout();

    // The Quit button sits 12 pixels inside the 800x600 window's bottom-right corner.
    display.Run("sh -c " + ShellQuote("xdotool mousemove --window " + WindowOf("Spinning hobgoblin") +
                                      " 720 568 sleep 0.3 click 1"));
    EXPECT_EQ(run.Wait(30), 0) << run.Stderr();
}

TEST_F(InstalledEngine, ViewerStartedFarFromItsDataFindsItBesideItself) {
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    const std::string elsewhere = dir.File("elsewhere");
    fs::create_directory(elsewhere);
    ProgramRun viewer(display, prefix + "/bin/md2viewer", {"--screenshot", "viewer.png"}, elsewhere);
    ASSERT_EQ(viewer.Wait(), 0) << viewer.Stdout() << viewer.Stderr();
    // The data comes from the installation, the picture lands where the viewer was started.
    const std::string shot = elsewhere + "/viewer.png";
    EXPECT_GT(FindPixels(shot, IsLightText, {1, 50, 400, 14}).pixels, 200);
    EXPECT_GT(FindPixels(shot, IsGreenSkin, {370, 190, 360, 440}).pixels, 5000);
    EXPECT_NE(viewer.Stdout().find(std::string("Loading MD2 file...Loading Texture: ") +
                                   CViewerScene::kSkinPath + "\ndone."),
              std::string::npos)
        << viewer.Stdout();
    EXPECT_EQ(viewer.Stdout().find("Could not"), std::string::npos) << viewer.Stdout();
}

} // namespace
