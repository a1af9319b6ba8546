// The engine as others use it: this build installed into a temporary prefix that is then moved, and
// helpers to build programs on it and look at their windows.
#pragma once

#include "support/TestSupport.h"
#include "support/XSession.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace korvel::test {

class InstalledEngine : public ::testing::Test {
protected:
    // Installs this build into a scratch prefix and moves it: everything found below it must be found
    // from where it is now.
    void SetUp() override;

    // Runs a shell command with this prefix's korvel.pc on the pkg-config path and `$@` set to the
    // words of `pkg-config FLAGS korvel` (escaped spaces kept inside their word); its output goes to
    // `log`.
    int Shell(const std::string& command, std::string* log, const std::string& flags = "--cflags");
    // Configures and builds the CMake project in `source` on this prefix, warnings as errors, into
    // `build`; 0 on success.
    int BuildProject(const std::string& source, const std::string& build, std::string* log);

    TempDir dir;
    // A space in the prefix, as in a home folder's "My Games".
    const std::string prefix = dir.File("moved prefix");
};

// The first window with this title, as a shell word for xdotool and import. Classic SDL 1.2 opens a
// small window at the screen's corner, SDL 2's SDL 1.2 layer centres it: coordinates are the window's
// own.
std::string WindowOf(const std::string& title);

// Takes screenshots of the titled window until `seen` holds for one (a slow machine may still be
// loading), at most ~20 s.
bool ScreenshotUntil(const VirtualDisplay& display, const std::string& title, const std::string& png,
                     const std::function<bool()>& seen);

} // namespace korvel::test
