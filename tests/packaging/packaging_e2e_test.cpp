// The engine as a distribution ships it: the split Debian packages built by scripts/package (which
// fails on any lintian error or warning), unpacked into a scratch root and used from there; and the
// source folder pulled into another project with add_subdirectory.
#include "base/Version.h"
#include "support/TestSupport.h"
#include "support/XSession.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>
#include <vector>

using korvel::test::ReadText;
using korvel::test::RunCommand;
using korvel::test::ShellQuote;
using korvel::test::TempDir;

namespace fs = std::filesystem;

namespace {

// The Debian development packages of the one dependency list.
std::vector<std::string> DependencyPackages() {
    std::string list = ReadText(KORVEL_SOURCE_DIR "/cmake/KorvelDependencies.cmake");
    std::regex line(R"(\nkorvel_dependency\(\S+ (\S+?)[ )])");
    std::vector<std::string> packages;
    for (std::sregex_iterator it(list.begin(), list.end(), line), end; it != end; ++it) {
        packages.push_back((*it)[1]);
    }
    return packages;
}

// A copyright file's field text back as plain lines: the leading space gone, " ." an empty line.
std::string FieldText(const std::string& copyright) {
    std::string text = std::regex_replace(copyright, std::regex("\n \\.\n"), "\n\n");
    return std::regex_replace(text, std::regex("\n "), "\n");
}

// The six packages made by scripts/package, and a scratch root they are unpacked into.
struct Packages {
    TempDir dir;
    std::string debs = dir.File("debs");
    std::string root = dir.File("root");
    std::string usr = root + "/usr";
    std::string arch = Output("dpkg --print-architecture");
    std::string lib = usr + "/lib/" + Output("gcc -print-multiarch");

    static std::string Output(const std::string& command) {
        std::string out;
        RunCommand(command, &out);
        return out.substr(0, out.find('\n'));
    }
    std::string Deb(const std::string& package) const {
        return debs + "/" + package + "_" KORVEL_VERSION "_" +
               (package == "korvel-data" || package == "korvel-doc" ? "all" : arch) + ".deb";
    }
    std::string Field(const std::string& package, const std::string& field) const {
        std::string value;
        RunCommand("dpkg-deb -f " + ShellQuote(Deb(package)) + " " + field, &value);
        return value;
    }
};

const char* const kPackages[] = {"libkorvel0",    "libkorvel-dev", "korvel-tools",
                                 "korvel-viewer", "korvel-data",   "korvel-doc"};
// What a graphics stack's packages and libraries are called.
const char* const kGraphics[] = {"libkorvel", "korvel-data", "libsdl", "libgl",
                                 "libglu",    "libglew",     "libSDL", "libGL"};

void CheckDependencies(const Packages& p) {
    std::set<std::string> debs, expected;
    for (const auto& entry : fs::directory_iterator(p.debs)) {
        if (entry.path().extension() == ".deb") {
            debs.insert(entry.path().string());
        }
    }
    for (const char* package : kPackages) {
        expected.insert(p.Deb(package));
    }
    EXPECT_EQ(debs, expected);
    // The model tools stand on the asset core alone; the viewer on the engine and its data.
    const std::string tools = p.Field("korvel-tools", "Depends");
    for (const char* graphics : kGraphics) {
        EXPECT_EQ(tools.find(graphics), std::string::npos) << graphics << " in: " << tools;
    }
    const std::string viewer = p.Field("korvel-viewer", "Depends");
    for (const char* needed :
         {"libkorvel0 (= " KORVEL_VERSION ")", "korvel-data (= " KORVEL_VERSION ")", "libsdl1.2debian"}) {
        EXPECT_NE(viewer.find(needed), std::string::npos) << needed << " missing from: " << viewer;
    }
    const std::string dev = p.Field("libkorvel-dev", "Depends");
    std::vector<std::string> needed = DependencyPackages();
    EXPECT_GE(needed.size(), 7u);
    needed.push_back("libkorvel0 (= " KORVEL_VERSION ")");
    for (const std::string& package : needed) {
        EXPECT_NE(dev.find(package), std::string::npos) << package << " missing from: " << dev;
    }
    EXPECT_NE(p.Field("libkorvel0", "Depends").find("korvel-data (= " KORVEL_VERSION ")"), std::string::npos);
    // The maintainer, with an address, is the one who signed the changelog's latest entry.
    std::string maintainer = p.Field("libkorvel0", "Maintainer");
    maintainer = maintainer.substr(0, maintainer.find('\n'));
    EXPECT_NE(maintainer.find('@'), std::string::npos);
    const std::string changelog = ReadText(KORVEL_SOURCE_DIR "/cmake/debian/changelog");
    EXPECT_EQ(changelog.find("\n -- "), changelog.find("\n -- " + maintainer + "  ")) << maintainer;
    // The library's ldconfig run is a trigger, not a script that would keep a removed package around.
    std::string triggers;
    EXPECT_EQ(RunCommand("dpkg-deb -I " + ShellQuote(p.Deb("libkorvel0")) + " triggers", &triggers), 0);
    EXPECT_EQ(triggers, "activate-noawait ldconfig\n");
    EXPECT_NE(RunCommand("dpkg-deb -I " + ShellQuote(p.Deb("libkorvel0")) + " postrm >/dev/null 2>&1"), 0);
}

void CheckLayout(const Packages& p) {
    // Every command has its manual page, a real one with a NAME line, and no example is a command.
    std::set<std::string> commands, pages;
    for (const auto& entry : fs::directory_iterator(p.usr + "/bin")) {
        commands.insert(entry.path().filename().string());
    }
    for (const auto& entry : fs::directory_iterator(p.usr + "/share/man/man1")) {
        const std::string name = entry.path().filename().string();
        const std::string command = name.substr(0, name.find(".1.gz"));
        pages.insert(command);
        std::string text;
        EXPECT_EQ(RunCommand("MANWIDTH=80 man -l " + ShellQuote(entry.path().string()) + " 2>&1", &text), 0);
        EXPECT_NE(text.find("NAME\n       " + command + " - "), std::string::npos) << text;
        EXPECT_NE(text.find("--help"), std::string::npos) << text;
    }
    EXPECT_EQ(commands, pages);
    EXPECT_TRUE(commands.count("md2viewer") && commands.count("md2info"));
    for (const std::string& command : commands) {
        EXPECT_EQ(command.find("example"), std::string::npos) << command;
    }
    EXPECT_TRUE(fs::is_regular_file(p.usr + "/share/doc/libkorvel-dev/examples/gui/GuiExample.cpp"));

    // The library and the pkg-config file in the multiarch folder; the file's paths are plain.
    EXPECT_TRUE(fs::is_regular_file(p.lib + "/libkorvel.so.0"));
    EXPECT_TRUE(fs::is_symlink(p.lib + "/libkorvel.so"));
    EXPECT_TRUE(fs::is_regular_file(p.lib + "/libkorvel.a"));
    const std::string pc = ReadText(p.lib + "/pkgconfig/korvel.pc");
    EXPECT_NE(pc.find("prefix=/usr\n"), std::string::npos) << pc;
    EXPECT_NE(pc.find("\nRequires.private: egl, libpng, physfs\n"), std::string::npos) << pc;

    // Each package carries the machine-readable copyright file with the whole licence, and its
    // changelog; the font's notice also travels with the data.
    const std::string license = ReadText(KORVEL_SOURCE_DIR "/LICENSE");
    const std::string terms = license.substr(license.find("\n\n") + 2);
    for (const char* package : kPackages) {
        const std::string doc = p.usr + "/share/doc/" + package;
        const std::string copyright = ReadText(doc + "/copyright");
        EXPECT_EQ(copyright.rfind(
                      "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0),
                  0u)
            << package;
        EXPECT_NE(FieldText(copyright).find("License: Zlib\n" + terms), std::string::npos) << package;
        EXPECT_NE(copyright.find("License: bitstream-vera\n"), std::string::npos) << package;
        EXPECT_TRUE(fs::is_regular_file(doc + "/changelog.gz")) << package;
    }
    EXPECT_EQ(ReadText(p.usr + "/share/korvel/Data/Font/LICENSE"),
              ReadText(KORVEL_SOURCE_DIR "/runtime/Data/Font/LICENSE"));

    // The reference: a page per class with the header's own comments and its diagrams, registered
    // with doc-base.
    const std::string html = p.usr + "/share/doc/korvel-doc/html";
    EXPECT_TRUE(fs::is_regular_file(html + "/index.html"));
    const std::string instance = ReadText(html + "/classCMD2Instance.html");
    EXPECT_NE(instance.find("One placed, animated copy of a shared MD2 mesh"), std::string::npos);
    EXPECT_NE(instance.find("korvel/models/MD2Instance.h</a>&gt;"), std::string::npos);
    EXPECT_NE(instance.find(".svg"), std::string::npos);
    // Every page the API overview links to exists.
    const std::string api = ReadText(KORVEL_SOURCE_DIR "/docs/api.md");
    const std::regex link(R"(\(\.\./build/docs/html/([A-Za-z0-9_]+\.html)\))");
    int links = 0;
    for (std::sregex_iterator it(api.begin(), api.end(), link), end; it != end; ++it, ++links) {
        EXPECT_TRUE(fs::is_regular_file(html + "/" + (*it)[1].str())) << (*it)[1];
    }
    EXPECT_GT(links, 15);
    EXPECT_NE(ReadText(p.usr + "/share/doc-base/korvel-doc.korvel-reference")
                  .find("Index: /usr/share/doc/korvel-doc/html/index.html"),
              std::string::npos);
}

void CheckConsumerAndViewer(const Packages& p) {
    std::string out;
    const std::string examples = p.usr + "/share/doc/libkorvel-dev/examples/consumer";
    const std::string build = p.dir.File("game build");
    ASSERT_EQ(RunCommand("cmake -S " + ShellQuote(examples) + " -B " + ShellQuote(build) +
                             " -DCMAKE_PREFIX_PATH=" + ShellQuote(p.usr) +
                             " -DCMAKE_CXX_FLAGS='-Wall -Wextra -Wpedantic -Werror' 2>&1 && " +
                             "cmake --build " + ShellQuote(build) + " 2>&1",
                         &out),
              0)
        << out;
    // The game links the packaged shared library.
    ASSERT_EQ(
        RunCommand("LD_LIBRARY_PATH=" + ShellQuote(p.lib) + " ldd " + ShellQuote(build + "/spinning-game"),
                   &out),
        0);
    EXPECT_NE(out.find(p.lib + "/libkorvel.so.0"), std::string::npos) << out;
    // Every path of korvel.pc follows its prefix: moved to the scratch root, it builds hello.cpp.
    fs::create_directory(p.dir.File("pkgconfig"));
    ASSERT_EQ(RunCommand("sed 's|^prefix=/usr$|prefix=" + p.usr + "|' " +
                         ShellQuote(p.lib + "/pkgconfig/korvel.pc") + " >" +
                         ShellQuote(p.dir.File("pkgconfig/korvel.pc"))),
              0);
    EXPECT_EQ(RunCommand("export PKG_CONFIG_PATH=" + ShellQuote(p.dir.File("pkgconfig")) + "; c++ " +
                             ShellQuote(examples + "/hello.cpp") + " -o " + ShellQuote(p.dir.File("hello")) +
                             " $(pkg-config --cflags --libs korvel) 2>&1",
                         &out),
              0)
        << out;

    // The packaged tools run from the scratch root with no library of ours and no graphics library.
    for (const char* tool : {"md2info", "md2gltf", "gltf2md2"}) {
        ASSERT_EQ(RunCommand("ldd " + ShellQuote(p.usr + "/bin/" + tool), &out), 0) << tool;
        for (const char* graphics : kGraphics) {
            EXPECT_EQ(out.find(graphics), std::string::npos) << tool << " links " << graphics << ":\n" << out;
        }
        EXPECT_EQ(RunCommand(ShellQuote(p.usr + "/bin/" + tool) + " --version", &out), 0) << tool << out;
    }

    // The packaged viewer, started in an empty home folder, finds its data beside itself.
    korvel::test::VirtualDisplay display;
    ASSERT_TRUE(display.Ok());
    fs::create_directory(p.dir.File("home"));
    korvel::test::ProgramRun viewer(display, p.usr + "/bin/md2viewer", {"--screenshot", "shot.png"},
                                    p.dir.File("home"), {"LD_LIBRARY_PATH=" + p.lib});
    ASSERT_EQ(viewer.Wait(), 0) << viewer.Stdout() << viewer.Stderr();
    EXPECT_GT(
        korvel::test::FindPixels(p.dir.File("home/shot.png"), korvel::test::IsGreenSkin, {370, 190, 360, 440})
            .pixels,
        5000);

    // On the desktop: the MIME database names a model by its name and by its first bytes, and the
    // thumbnailer's own command, run as a file manager runs it (no shell, a display at hand), draws it.
    const std::string share = p.usr + "/share";
    ASSERT_EQ(RunCommand("update-mime-database " + ShellQuote(share + "/mime")), 0);
    const std::string model = p.dir.File("home/ogre.md2"), unnamed = p.dir.File("home/ogre");
    fs::copy_file(share + "/korvel/Data/Models/MD2/tris.md2", model);
    fs::copy_file(model, unnamed);
    std::string types;
    RunCommand("XDG_DATA_DIRS=" + ShellQuote(share) + " gio info -a standard::content-type " +
                   ShellQuote(model) + " " + ShellQuote(unnamed),
               &types);
    size_t named = 0;
    for (size_t at = types.find("model/x-md2"); at != std::string::npos;
         at = types.find("model/x-md2", at + 1)) {
        ++named;
    }
    EXPECT_EQ(2u, named) << types;
    std::string exec = ReadText(share + "/thumbnailers/md2viewer.thumbnailer");
    exec = exec.substr(exec.find("\nExec=") + 6);
    exec = exec.substr(0, exec.find('\n'));
    exec.replace(exec.find("%o"), 2, ShellQuote(p.dir.File("home/thumb.png")));
    exec.replace(exec.find("%i"), 2, ShellQuote(share + "/korvel/Data/Models/MD2/tris.md2"));
    exec.replace(exec.find("md2viewer"), 9, ShellQuote(p.usr + "/bin/md2viewer"));
    EXPECT_EQ(RunCommand("cd " + ShellQuote(p.dir.File("home")) + " && DISPLAY=" + display.Name() +
                         " LD_LIBRARY_PATH=" + ShellQuote(p.lib) + " " + exec + " >/dev/null 2>&1"),
              0)
        << exec;
    EXPECT_GT(korvel::test::FindPixels(p.dir.File("home/thumb.png"), korvel::test::IsGreenSkin).pixels, 5000);
}

// One run of scripts/package (a build of its own, cpack and lintian) serves every check.
TEST(DebianPackages, PassLintianAndWorkUnpackedIntoAScratchRoot) {
    Packages p;
    std::string log;
    ASSERT_EQ(RunCommand("KORVEL_PACKAGE_BUILD_DIR=" + ShellQuote(KORVEL_BUILD_DIR "/package") + " " +
                             ShellQuote(KORVEL_SOURCE_DIR "/scripts/package") + " " + ShellQuote(p.debs) +
                             " 2>&1",
                         &log),
              0)
        << log;
    for (const char* package : kPackages) {
        ASSERT_EQ(RunCommand("dpkg -x " + ShellQuote(p.Deb(package)) + " " + ShellQuote(p.root)), 0)
            << package;
    }
    {
        SCOPED_TRACE("dependencies");
        CheckDependencies(p);
    }
    {
        SCOPED_TRACE("layout");
        CheckLayout(p);
    }
    {
        SCOPED_TRACE("consumer and viewer");
        CheckConsumerAndViewer(p);
    }
}

} // namespace

TEST(Subproject, AddSubdirectoryConfiguresTheLibraryAloneWithoutTestsOrPrograms) {
    TempDir dir;
    const std::string text = "cmake_minimum_required(VERSION 3.20)\nproject(Game C CXX)\n"
                             "add_subdirectory(\"" KORVEL_SOURCE_DIR "\" korvel)\n"
                             "add_executable(game \"" KORVEL_SOURCE_DIR "/examples/consumer/hello.cpp\")\n"
                             "target_link_libraries(game PRIVATE Korvel::korvel)\n";
    korvel::test::WriteFile(dir.File("CMakeLists.txt"), std::vector<uint8_t>(text.begin(), text.end()));
    std::string log;
    ASSERT_EQ(
        RunCommand("cmake -S " + ShellQuote(dir.Path()) + " -B " + ShellQuote(dir.File("build")) + " 2>&1",
                   &log),
        0)
        << log;
    std::string targets;
    RunCommand("cmake --build " + ShellQuote(dir.File("build")) + " --target help", &targets);
    EXPECT_NE(targets.find("... korvel\n"), std::string::npos) << targets;
    for (const char* absent : {"md2viewer", "assetgen", "app_unit", "install"}) {
        EXPECT_EQ(targets.find(std::string("... ") + absent + "\n"), std::string::npos) << absent;
    }
}
