// The tests' private X server ends with the test process even when that process is killed outright,
// so a crashed or timed-out test leaves no Xvfb behind on the machine.
#include "support/XSession.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

TEST(VirtualDisplay, EndsWhenItsTestProcessIsKilled) {
    int channel[2];
    ASSERT_EQ(0, pipe(channel));
    pid_t test = fork();
    ASSERT_GE(test, 0);
    if (test == 0) {
        close(channel[0]);
        korvel::test::VirtualDisplay display;
        // The server is this process's only child once the display is up.
        std::string server;
        std::ifstream("/proc/self/task/" + std::to_string(getpid()) + "/children") >> server;
        std::string report = (display.Ok() ? display.Name() : "-") + " " + server + "\n";
        if (write(channel[1], report.data(), report.size()) < 0) {
            _exit(1);
        }
        pause();
        _exit(0);
    }
    close(channel[1]);
    std::string report;
    char c = 0;
    while (read(channel[0], &c, 1) == 1 && c != '\n') {
        report += c;
    }
    close(channel[0]);
    kill(test, SIGKILL);
    waitpid(test, nullptr, 0);
    std::string name;
    pid_t server = 0;
    std::istringstream(report) >> name >> server;
    ASSERT_NE("-", name) << "no virtual display started";
    ASSERT_GT(server, 0) << report;

    bool ended = false;
    for (int i = 0; i < 100 && !ended; ++i) {
        ended = kill(server, 0) != 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_TRUE(ended) << "Xvfb " << server << " on " << name << " outlived its test";
    if (!ended) {
        kill(server, SIGTERM);
    }
}
