// The first-game tutorial as a reader follows it: its CMake project and the main.cpp of every step
// taken from docs/tutorial.md's own code blocks, built on an installation, run on a virtual display and
// judged from the window's picture.
#include "support/AudioCapture.h"
#include "support/InstalledEngine.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <thread>
#include <vector>

using namespace korvel::test;

namespace {

// The contents of the page's code blocks in `language`, in order.
std::vector<std::string> CodeBlocks(const std::string& page, const std::string& language) {
    std::vector<std::string> blocks;
    const std::regex block("```" + language + "\n([\\s\\S]*?)```\n");
    for (std::sregex_iterator it(page.begin(), page.end(), block), end; it != end; ++it) {
        blocks.push_back((*it)[1]);
    }
    return blocks;
}

TEST_F(InstalledEngine, EveryTutorialStepBuildsAndShowsItsScene) {
    const std::string page = ReadText(KORVEL_SOURCE_DIR "/docs/tutorial.md");
    const std::vector<std::string> cmake = CodeBlocks(page, "cmake");
    const std::vector<std::string> steps = CodeBlocks(page, "cpp");
    ASSERT_EQ(cmake.size(), 1u);
    ASSERT_EQ(steps.size(), 5u);

    const std::string project = dir.File("first game");
    const std::string build = project + "/build";
    std::filesystem::create_directory(project);
    WriteFile(project + "/CMakeLists.txt", std::vector<uint8_t>(cmake[0].begin(), cmake[0].end()));
    // The jump's sound, made by the page's own command.
    std::smatch sox;
    ASSERT_TRUE(std::regex_search(page, sox, std::regex("\n(sox [^\n]*)")));
    std::string soxLog;
    ASSERT_EQ(RunCommand("cd " + ShellQuote(project) + " && " + sox[1].str() + " 2>&1", &soxLog), 0)
        << soxLog;
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    for (size_t step = 0; step < steps.size(); ++step) {
        SCOPED_TRACE("step " + std::to_string(step + 1));
        WriteFile(project + "/main.cpp", std::vector<uint8_t>(steps[step].begin(), steps[step].end()));
        std::string log;
        ASSERT_EQ(BuildProject(project, build, &log), 0) << log;

        // The last step's sound is mixed into a file, as a sound card would play it.
        const std::string capture = dir.File("mixed.raw");
        ProgramRun game(display, build + "/first-game", {}, project,
                        {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + capture});
        ASSERT_TRUE(game.WaitForWindow("My first Korvel game")) << game.Stdout() << game.Stderr();
        // The text line from the first step on, the hobgoblin from the second, the others from the
        // fourth: the greener the picture, the more of them.
        const long skin = step == 0 ? 0 : step < 3 ? 600 : 3500;
        const std::string shot = dir.File("step.png");
        EXPECT_TRUE(ScreenshotUntil(display, "My first Korvel game", shot, [&] {
            return FindPixels(shot, IsLightText, {10, 10, 300, 14}).pixels > 200 &&
                   FindPixels(shot, IsGreenSkin).pixels >= skin;
        })) << game.Stdout();
        if (step == 4) {
            // Space: the jump's sound, a 440 Hz beep, is heard.
            game.Key("space");
            bool heard = false;
            for (int i = 0; i < 40 && !heard; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
                heard = !FindBursts(ReadCaptureChannel(capture, 2), 3000, 2000).empty();
            }
            EXPECT_TRUE(heard) << game.Stdout();
        }
        EXPECT_EQ(game.KeyUntilExit("Escape"), 0) << game.Stderr();
        EXPECT_EQ(game.Stdout().find("Failed"), std::string::npos) << game.Stdout();
    }
}

} // namespace
