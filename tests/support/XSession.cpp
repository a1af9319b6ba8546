#include "support/XSession.h"

#include "support/TestSupport.h"
#include "support/ViewerFacts.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/prctl.h>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace korvel::test {

namespace {

bool WaitUntil(double seconds, const std::function<bool()>& done) {
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

} // namespace

VirtualDisplay::VirtualDisplay() : pid(-1) {
    // Xvfb picks a free display number itself and writes it to the pipe once clients can connect, so
    // displays started side by side never race for the same number. -noreset keeps the server from
    // resetting when its last client leaves, which would refuse a program connecting just then.
    int ready[2];
    if (pipe(ready) != 0) {
        return;
    }
    const pid_t parent = getpid();
    pid = fork();
    if (pid == 0) {
        // A test that crashes or is killed never reaches the destructor: the server must not outlive it.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) {
            _exit(127);
        }
        close(ready[0]);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::string fd = std::to_string(ready[1]);
        std::string screen = kScreenSize + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, 20000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(ready[0]);
    name = ":" + number;
    bool up = !number.empty() && WaitUntil(10.0, [this] { return Run("xdpyinfo >/dev/null 2>&1") == 0; });
    if (!up) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

VirtualDisplay::~VirtualDisplay() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

int VirtualDisplay::Run(const std::string& command, std::string* output) const {
    return RunCommand("DISPLAY=" + name + " " + command, output);
}

bool VirtualDisplay::Screenshot(const std::string& path) const {
    return Run("import -window root " + path + " >/dev/null 2>&1") == 0;
}

ProgramRun::ProgramRun(const VirtualDisplay& display, const std::string& program,
                       const std::vector<std::string>& args, const std::string& workingDir,
                       const std::vector<std::string>& environment)
    : display(display), pid(-1), status(-1) {
    char outName[] = "/tmp/korvel-run-out-XXXXXX";
    char errName[] = "/tmp/korvel-run-err-XXXXXX";
    int out = mkstemp(outName);
    int err = mkstemp(errName);
    outFile = outName;
    errFile = errName;
    std::fflush(nullptr);
    pid = fork();
    if (pid == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        setenv("DISPLAY", display.Name().c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        for (const std::string& assignment : environment) {
            putenv(const_cast<char*>(assignment.c_str()));
        }
        if (chdir(workingDir.c_str()) != 0) {
            _exit(126);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out);
    close(err);
}

ProgramRun::~ProgramRun() {
    if (Running()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::remove(outFile.c_str());
    std::remove(errFile.c_str());
}

bool ProgramRun::WaitForWindow(const std::string& title, double seconds) const {
    return WaitUntil(
        seconds, [&] { return display.Run("xdotool search --name '" + title + "' >/dev/null 2>&1") == 0; });
}

bool ProgramRun::WaitForOutput(const std::string& text, double seconds) const {
    return WaitUntil(seconds, [&] { return Stdout().find(text) != std::string::npos; });
}

void ProgramRun::Key(const std::string& key) const {
    display.Run("xdotool key " + key + " >/dev/null 2>&1");
}

void ProgramRun::Close(const std::string& title) const {
    display.Run(ShellQuote(KORVEL_BIN_DIR "/korvel-xclose") + " " + ShellQuote(title));
}

bool ProgramRun::Running() {
    if (pid <= 0 || status != -1) {
        return false;
    }
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) {
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return false;
    }
    return true;
}

int ProgramRun::Wait(double seconds) {
    if (!WaitUntil(seconds, [this] { return !Running(); })) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        status = -1;
        pid = -1;
    }
    return status;
}

int ProgramRun::KeyUntilExit(const std::string& key, double seconds) {
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        Key(key);
        if (WaitUntil(3.0, [this] { return !Running(); })) {
            return status;
        }
    }
    return Wait(0.0);
}

std::string ProgramRun::Stdout() const {
    return ReadText(outFile);
}

std::string ProgramRun::Stderr() const {
    return ReadText(errFile);
}

double ImageDifference(const std::string& a, const std::string& b, int x, int y, int w, int h) {
    std::string crop =
        std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" + std::to_string(y);
    std::string output;
    // The mean absolute error, normalised to 0..1 in parentheses.
    RunCommand("compare -metric MAE \\( " + a + " -crop " + crop + " \\) \\( " + b + " -crop " + crop +
                   " \\) null: 2>&1",
               &output);
    size_t open = output.find('(');
    if (open == std::string::npos) {
        return 255.0;
    }
    return std::atof(output.c_str() + open + 1) * 255.0;
}

std::string UserFolder(const std::string& parent) {
    const std::string folder = parent + "/start";
    std::filesystem::create_directory(folder);
    for (const char* data : {"Data", "shaders"}) {
        std::filesystem::create_directory_symlink(std::string(KORVEL_RUNTIME_DIR) + "/" + data,
                                                  folder + "/" + data);
    }
    return folder;
}

PixelArea FindPixels(const std::string& png, bool (*wanted)(int r, int g, int b), const PixelRect& rect) {
    PixelArea area;
    std::string size;
    if (RunCommand("identify -format '%w' " + ShellQuote(png), &size) != 0) {
        return area;
    }
    int width = std::atoi(size.c_str());
    std::string crop;
    if (rect.w > 0) {
        // ImageMagick keeps what of the rectangle lies inside the picture.
        width = std::min(rect.w, width - rect.x);
        crop = " -crop " + std::to_string(rect.w) + "x" + std::to_string(rect.h) + "+" +
               std::to_string(rect.x) + "+" + std::to_string(rect.y) + " +repage";
    }
    const std::string raw = png + ".rgb";
    if (width <= 0 ||
        RunCommand("convert " + ShellQuote(png) + crop + " -depth 8 rgb:" + ShellQuote(raw)) != 0) {
        return area;
    }
    const std::vector<uint8_t> rgb = ReadFile(raw);
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        if (wanted(rgb[i], rgb[i + 1], rgb[i + 2])) {
            const int row = rect.y + static_cast<int>(i / 3 / static_cast<size_t>(width));
            const int column = rect.x + static_cast<int>(i / 3 % static_cast<size_t>(width));
            ++area.pixels;
            area.top = std::min(area.top, row);
            area.bottom = std::max(area.bottom, row);
            area.left = std::min(area.left, column);
            area.right = std::max(area.right, column);
        }
    }
    return area;
}

// The thresholds in 0..255: mean over 0.6; green over 0.15 and 1.2 times red and blue; red over 0.6,
// green over 0.25, blue under 0.3.
bool IsLightText(int r, int g, int b) {
    return r + g + b > 459;
}

bool IsGreenSkin(int r, int g, int b) {
    return g > 38 && 5 * g > 6 * r && 5 * g > 6 * b;
}

bool IsOrangeLogo(int r, int g, int b) {
    return r > 153 && g > 63 && b < 77;
}

bool IsRed(int r, int g, int b) {
    return r > 60 && r > 3 * g && r > 3 * b;
}

bool IsGreen(int r, int g, int b) {
    return g > 60 && g > 3 * r && g > 3 * b;
}

bool IsBlue(int r, int g, int b) {
    return b > 60 && b > 3 * r && b > 3 * g;
}

} // namespace korvel::test
