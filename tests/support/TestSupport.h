// Helpers shared by the tests: temporary folders, captured output, file bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvel::test {

// A fresh empty folder below the system's temporary directory, removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path; }
    // The path of a file inside the folder.
    std::string File(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};

// Captures what is written to a standard stream (file descriptor level, so printf, iostream and
// SDL output are all caught) between construction and Text().
class CaptureStream {
public:
    explicit CaptureStream(int fd);
    ~CaptureStream();
    CaptureStream(const CaptureStream&) = delete;
    CaptureStream& operator=(const CaptureStream&) = delete;
    // Stops capturing (if still capturing) and returns everything written.
    std::string Text();

private:
    void Stop();
    int fd;
    int saved;
    std::string file;
    std::string text;
    bool active;
};

// Writes the bytes to a file, making its folders first.
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
// The same for text.
void WriteText(const std::string& path, const std::string& text);
std::vector<uint8_t> ReadFile(const std::string& path);
// The whole file as text; empty when it cannot be read.
std::string ReadText(const std::string& path);
// Runs a shell command, returns its exit status and (optionally) its standard output.
int RunCommand(const std::string& command, std::string* output = nullptr);
// What a program of the build printed and how it ended.
struct ToolRun {
    int status;
    std::string out;
    std::string err;
};
// Runs the build's program `name` with `arguments` (shell words), its standard error caught through a
// file in `dir`.
ToolRun RunTool(const TempDir& dir, const std::string& name, const std::string& arguments);
// One shell word holding `text` as it is, so a checkout whose path has spaces still runs its commands.
std::string ShellQuote(const std::string& text);
// Whether the SDL 1.2 in use is the layer over SDL 2 (it reports 1.2.50 and later) rather than
// SDL 1.2 itself: its readers refuse some damaged files with their own texts.
bool SdlIsCompatibilityLayer();

} // namespace korvel::test
