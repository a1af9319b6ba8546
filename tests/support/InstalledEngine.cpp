#include "support/InstalledEngine.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace korvel::test {

void InstalledEngine::SetUp() {
    std::string log;
    ASSERT_EQ(RunCommand("cmake --install " + ShellQuote(KORVEL_BUILD_DIR) + " --prefix " +
                             ShellQuote(dir.File("staged")) + " 2>&1",
                         &log),
              0)
        << log;
    std::filesystem::rename(dir.File("staged"), prefix);
}

int InstalledEngine::Shell(const std::string& command, std::string* log, const std::string& flags) {
    return RunCommand("export PKG_CONFIG_PATH=" + ShellQuote(prefix + "/lib/pkgconfig") +
                          "; eval \"set -- $(pkg-config " + flags + " korvel)\" && " + command + " 2>&1",
                      log);
}

int InstalledEngine::BuildProject(const std::string& source, const std::string& build, std::string* log) {
    return Shell("cmake -S " + ShellQuote(source) + " -B " + ShellQuote(build) +
                     " -DCMAKE_PREFIX_PATH=" + ShellQuote(prefix) +
                     " -DCMAKE_CXX_FLAGS='-Wall -Wextra -Wpedantic -Werror' && cmake --build " +
                     ShellQuote(build) + " -j2",
                 log);
}

std::string WindowOf(const std::string& title) {
    return "\"$(xdotool search --name '" + title + "' | head -1)\"";
}

bool ScreenshotUntil(const VirtualDisplay& display, const std::string& title, const std::string& png,
                     const std::function<bool()>& seen) {
    for (int i = 0; i < 40; ++i) {
        if (display.Run("sh -c " + ShellQuote("import -window " + WindowOf(title) + " " + ShellQuote(png)) +
                        " >/dev/null 2>&1") == 0 &&
            seen()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    return false;
}

} // namespace korvel::test
