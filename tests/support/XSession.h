// End-to-end helpers: a private virtual X display, and a real program started on it whose output is
// kept in files, driven with xdotool and looked at through screenshots.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace korvel::test {

// An Xvfb server of its own (the viewer's screen size, 24 bits) on a free display number, stopped with the
// object.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;
    bool Ok() const { return pid > 0; }
    // ":N", for DISPLAY.
    const std::string& Name() const { return name; }
    // Runs a shell command with DISPLAY set to this server; returns its exit status.
    int Run(const std::string& command, std::string* output = nullptr) const;
    // Saves the whole screen as a PNG.
    bool Screenshot(const std::string& path) const;

private:
    pid_t pid;
    std::string name;
};

// A program running on a virtual display, in a chosen working directory, with its standard output
// and error going to files.
class ProgramRun {
public:
    ProgramRun(const VirtualDisplay& display, const std::string& program,
               const std::vector<std::string>& args, const std::string& workingDir,
               const std::vector<std::string>& environment = {});
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Waits until a window whose name contains `title` exists (true) or the time is up (false).
    bool WaitForWindow(const std::string& title, double seconds = 60.0) const;
    // Waits until the standard output contains `text`.
    bool WaitForOutput(const std::string& text, double seconds = 60.0) const;
    // Sends one key through xdotool ("Escape", "3", "Left").
    void Key(const std::string& key) const;
    // Asks the program's windows to close, as a window manager's close button does.
    void Close(const std::string& title) const;
    // Waits for the program to end; returns its exit status, or -1 after killing it on time-out.
    int Wait(double seconds = 60.0);
    // Sends the key every few seconds until the program ends (a slow machine may still be starting
    // when the first press arrives); returns its exit status, or -1 after killing it on time-out.
    int KeyUntilExit(const std::string& key, double seconds = 60.0);
    bool Running();
    std::string Stdout() const;
    std::string Stderr() const;

private:
    const VirtualDisplay& display;
    pid_t pid;
    int status;
    std::string outFile;
    std::string errFile;
};

// A user's folder inside `parent` from which a program is started: the program's data (Data and
// shaders of runtime/) reached through links, nothing else. Returns its path.
std::string UserFolder(const std::string& parent);

// Where a picture shows pixels of one kind: how many, and the rectangle they span (right and bottom
// inclusive; left > right when there are none).
struct PixelArea {
    long pixels = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
// A rectangle of a picture in pixels from its top-left corner; an empty one stands for the whole.
struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
};
// The pixels of a PNG image (read with ImageMagick) within `rect` for which `wanted`(r, g, b) holds;
// the area is given in the whole picture's pixels.
PixelArea FindPixels(const std::string& png, bool (*wanted)(int r, int g, int b), const PixelRect& rect = {});
// The engine's usual colours: the font's light text, the hobgoblin's green skin, the orange logo.
bool IsLightText(int r, int g, int b);
bool IsGreenSkin(int r, int g, int b);
bool IsOrangeLogo(int r, int g, int b);
// Plain test colours: clearly red, green or blue.
bool IsRed(int r, int g, int b);
bool IsGreen(int r, int g, int b);
bool IsBlue(int r, int g, int b);

// Mean absolute difference of two PNG images over a rectangle, per channel in 0..255 (ImageMagick).
double ImageDifference(const std::string& a, const std::string& b, int x, int y, int w, int h);

} // namespace korvel::test
