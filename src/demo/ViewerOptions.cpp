#include "demo/ViewerOptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

const char* const kUsageLine = "usage: md2viewer [OPTIONS] [MODEL.md2 [SKIN]]\n";
const char* const kHelp =
    "Shows an animated MD2 model; without MODEL, the hobgoblin of Data/Models/MD2. Without SKIN the\n"
    "skin named inside the model is looked for beside it (pcx, png, tga, bmp, jpg).\n"
    "\n"
    "  --window               a 1024x768 window instead of full screen\n"
    "  --animation NAME|N     start in that animation\n"
    "  --cull                 leave out the faces turned away from the camera (C toggles it)\n"
    "  --screenshot FILE.png  draw --frames frames (default 30), save the picture as FILE.png, end\n"
    "  --frames N             how many frames --screenshot draws first\n"
    "  --help                 this text\n"
    "  --version              the engine's version\n"
    "\n"
    "Keys: 0-9 and Page Down / Page Up choose the animation, Left / Right turn the model, Space\n"
    "pauses, ',' and '.' step one key frame while paused, W wireframe, C culling, I information,\n"
    "F12 saves md2viewer-NNNN.png where the viewer was started, Escape ends. Drag with the left\n"
    "button to orbit, turn the wheel to zoom.\n";

int Wrong(const std::string& message) {
    std::fprintf(stderr, "md2viewer: %s\n%s", message.c_str(), kUsageLine);
    return 2;
}

} // namespace

int ViewerOptions::Parse(int argc, char* argv[]) {
    std::vector<char> cwd(4096);
    startDir = getcwd(cwd.data(), cwd.size()) ? cwd.data() : ".";
    auto absolute = [this](const std::string& path) {
        std::filesystem::path full = path[0] == '/' ? path : startDir + "/" + path;
        return full.lexically_normal().string();
    };

    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool takesValue = arg == "--animation" || arg == "--screenshot" || arg == "--frames";
        if (takesValue && (i + 1 >= argc || argv[i + 1][0] == '\0')) {
            return Wrong("option " + arg + " needs a value");
        }
        if (arg == "--help") {
            std::printf("%s\n%s", kUsageLine, kHelp);
            return 0;
        } else if (arg == "--version") {
            std::printf("md2viewer (Korvel Engine) 0.02\n");
            return 0;
        } else if (arg == "--window") {
            window = true;
        } else if (arg == "--cull") {
            cull = true;
        } else if (arg == "--animation") {
            animation = argv[++i];
        } else if (arg == "--screenshot") {
            screenshot = absolute(argv[++i]);
        } else if (arg == "--frames") {
            char* end = nullptr;
            long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 1 || n > 1000000) {
                return Wrong(std::string("--frames needs a whole number from 1, not '") + argv[i] + "'");
            }
            frames = static_cast<int>(n);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Wrong("unknown option '" + arg + "'");
        } else if (arg.empty() || files.size() == 2) {
            return Wrong(arg.empty() ? "an empty file name" : "too many files: '" + arg + "'");
        } else {
            files.push_back(absolute(arg));
        }
    }
    model = files.size() > 0 ? files[0] : "";
    skin = files.size() > 1 ? files[1] : "";
    return -1;
}
