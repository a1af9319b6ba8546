// The engine as a package and as a subproject: the .deb made from the install rules, and the source
// folder pulled into another project with add_subdirectory.
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using korvel::test::RunCommand;
using korvel::test::ShellQuote;
using korvel::test::TempDir;

TEST(DebianPackage, HoldsEverythingBelowUsrAndDependsOnTheSystemLibraries) {
    TempDir dir;
    std::string log;
    ASSERT_EQ(RunCommand("cpack -G DEB --config " + ShellQuote(KORVEL_BUILD_DIR "/CPackConfig.cmake") +
                             " -B " + ShellQuote(dir.Path()) + " 2>&1",
                         &log),
              0)
        << log;
    const std::string deb = ShellQuote(dir.File("korvel_0.02_amd64.deb"));
    std::string depends;
    ASSERT_EQ(RunCommand("dpkg-deb -f " + deb + " Depends", &depends), 0);
    for (const char* package : {"libsdl1.2debian", "libglew2.2", "libsdl1.2-dev", "libsdl-image1.2-dev",
                                "libsdl-mixer1.2-dev", "libglew-dev", "libglu1-mesa-dev", "libgl-dev"}) {
        EXPECT_NE(depends.find(package), std::string::npos) << package << " missing from: " << depends;
    }
    // Nothing outside /usr: the programs, library, headers, package files and data all below it.
    std::string outside;
    ASSERT_EQ(RunCommand("dpkg-deb -c " + deb + " | awk '{print $6}' | grep -v '^./usr/' | grep -v '^./$'",
                         &outside),
              1)
        << outside;
}

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
