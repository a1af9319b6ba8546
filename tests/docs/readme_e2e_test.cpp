// The program lines the README and the viewer's and tools' manuals show, run as a reader would type
// them: in a folder holding the files they name (made by the tests' own writers and the project's
// tools), with the build's programs on PATH. A line that opens a window is ended with Escape.
#include "support/ArchiveWriter.h"
#include "support/Character.h"
#include "support/TestSupport.h"
#include "support/ViewerFacts.h"
#include "support/XSession.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace korvel::test;
namespace fs = std::filesystem;

namespace {

const char* const kPrograms[] = {"md2viewer ", "md2gltf ", "gltf2md2 ", "md2info "};

// Every line of the page's sh blocks that runs one of the programs, its comment cut off; the synopsis
// lines (with [OPTIONS]) are not commands.
std::vector<std::string> ProgramLines(const std::string& page) {
    std::vector<std::string> lines;
    const std::regex block("```sh\n([\\s\\S]*?)```\n");
    for (std::sregex_iterator it(page.begin(), page.end(), block), end; it != end; ++it) {
        std::istringstream text((*it)[1]);
        for (std::string line; std::getline(text, line);) {
            line = line.substr(0, line.find(" #"));
            line.erase(line.find_last_not_of(' ') + 1);
            const bool program = std::any_of(std::begin(kPrograms), std::end(kPrograms),
                                             [&](const char* p) { return line.rfind(p, 0) == 0; });
            if (program && line.find('[') == std::string::npos)
                lines.push_back(line);
        }
    }
    return lines;
}

void Copy(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

// The files the pages' lines name, made as a user would have them: the engine's hobgoblin under the
// names of other models, skins in other formats, an archive, a character with a head on a tag, and
// glTF files md2gltf writes.
void MakeTheNamedFiles(const std::string& home) {
    const std::string hobgoblin = KORVEL_RUNTIME_DIR "/Data/Models/MD2/tris.md2";
    const std::string skin = KORVEL_RUNTIME_DIR "/Data/Models/MD2/hobgoblin.bmp";
    fs::create_directory_symlink(KORVEL_RUNTIME_DIR, home + "/runtime");
    Copy(hobgoblin, home + "/models/ogre/tris.md2");
    Copy(skin, home + "/models/ogre/hobgoblin.bmp");
    for (const char* name : {"ogre.md2", "model.md2"})
        Copy(hobgoblin, home + "/" + name);
    Copy(skin, home + "/hobgoblin.bmp");
    ASSERT_EQ(
        RunCommand("cd " + ShellQuote(home) + " && convert hobgoblin.bmp ogre.pcx && cp ogre.pcx skin.pcx"),
        0);
    const std::string pak = home + "/pak-contents";
    Copy(hobgoblin, pak + "/models/monsters/ogre/tris.md2");
    Copy(skin, pak + "/models/monsters/ogre/hobgoblin.bmp");
    WriteCharacter(pak + "/models/players/grunt");
    ASSERT_TRUE(PakFolder(pak, home + "/pak0.pak"));
    WriteCharacter(home);
    const std::string bin = KORVEL_BIN_DIR;
    for (const char* name : {"figure.glb", "walker.glb"}) {
        ASSERT_EQ(RunCommand(ShellQuote(bin + "/md2gltf") + " " + ShellQuote(hobgoblin) + " -o " +
                             ShellQuote(home + "/" + name) + " 2>&1"),
                  0);
    }
}

TEST(Readme, EveryProgramLineOfTheReadmeAndManualsRuns) {
    std::vector<std::string> lines;
    for (const char* page : {"/README.md", "/docs/viewer.md", "/docs/tools.md"}) {
        for (const std::string& line : ProgramLines(ReadText(KORVEL_SOURCE_DIR + std::string(page)))) {
            if (std::find(lines.begin(), lines.end(), line) == lines.end())
                lines.push_back(line);
        }
    }
    // Each program is shown at least once.
    for (const char* program : kPrograms) {
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.rfind(program, 0) == 0;
        })) << program;
    }

    TempDir dir;
    const std::string home = UserFolder(dir.Path()); // the data of the build's viewer linked in
    MakeTheNamedFiles(home);
    const std::string environment = "export HOME=" + ShellQuote(home) +
                                    " PATH=" + ShellQuote(KORVEL_BIN_DIR) + ":\"$PATH\"; cd \"$HOME\" && ";
    VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const bool opensWindow = line.rfind("md2viewer ", 0) == 0 &&
                                 line.find("--screenshot") == std::string::npos &&
                                 line.find("--sheet") == std::string::npos;
        if (!opensWindow) {
            std::string output;
            EXPECT_EQ(RunCommand(environment + line + " 2>&1", &output), 0) << output;
            // What the line says it writes is there.
            std::smatch written;
            if (std::regex_search(line, written, std::regex("(?:-o|--screenshot) (\\S+)"))) {
                std::error_code missing;
                EXPECT_GT(fs::file_size(home + "/" + written[1].str(), missing), 0u) << written[1];
            }
            continue;
        }
        ProgramRun viewer(display, "/bin/sh", {"-c", environment + "exec " + line}, home);
        EXPECT_TRUE(viewer.WaitForWindow(kViewerTitle)) << viewer.Stdout() << viewer.Stderr();
        EXPECT_EQ(viewer.KeyUntilExit("Escape"), 0) << viewer.Stderr();
        EXPECT_EQ(viewer.Stdout().find("Failed"), std::string::npos) << viewer.Stdout();
        EXPECT_EQ(viewer.Stderr(), "");
    }
}

} // namespace
