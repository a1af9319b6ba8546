#include "support/TestSupport.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <unistd.h>

namespace korvel::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvel-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    path = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

CaptureStream::CaptureStream(int fd) : fd(fd), saved(-1), active(true) {
    std::fflush(nullptr);
    std::cout.flush();
    std::cerr.flush();
    char name[] = "/tmp/korvel-capture-XXXXXX";
    int out = mkstemp(name);
    file = name;
    saved = dup(fd);
    dup2(out, fd);
    close(out);
}

CaptureStream::~CaptureStream() {
    Stop();
    std::remove(file.c_str());
}

void CaptureStream::Stop() {
    if (!active) {
        return;
    }
    active = false;
    std::fflush(nullptr);
    std::cout.flush();
    std::cerr.flush();
    dup2(saved, fd);
    close(saved);
    text = ReadText(file);
}

std::string CaptureStream::Text() {
    Stop();
    return text;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text) {
    WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunCommand(const std::string& command, std::string* output) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return -1;
    }
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, n);
    }
    int status = pclose(pipe);
    if (output) {
        *output = text;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ToolRun RunTool(const TempDir& dir, const std::string& name, const std::string& arguments) {
    ToolRun run;
    const std::string errFile = dir.File("stderr.txt");
    run.status =
        RunCommand(ShellQuote(KORVEL_BIN_DIR "/" + name) + " " + arguments + " 2>" + errFile, &run.out);
    run.err = ReadText(errFile);
    return run;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

bool SdlIsCompatibilityLayer() {
    const SDL_version* version = SDL_Linked_Version();
    return version->major == 1 && version->minor == 2 && version->patch >= 50;
}

} // namespace korvel::test
