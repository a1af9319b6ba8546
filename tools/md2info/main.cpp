// md2info: what the engine's loader makes of an MD2 model file, for people who make or debug models.
// Prints the header counts and the animation table, and on request every frame's name and bounding
// box (--frames) and the skin names of the header (--skins); exits 1 when the file does not load or
// the lines cannot be written, 2 on a wrong command line. --list shows every model of a game archive or
// a folder with its counts. An animation table beside a model (.anm, .framegroups) gives its animations;
// --tags lists the tags of the tag file beside it.
#include "base/CommandLine.h"
#include "models/MD2Catalog.h"
#include "models/MD2Loader.h"
#include "models/MD2Tags.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage: md2info [--frames] [--skins] [--tags] [--animations TABLE] FILE | --list ARCHIVE|FOLDER\n";
// The rest of --help, also the source of the manual page: keep its "  OPTION  description" layout.
const char* const kHelp =
    "\n"
    "Prints what the engine's MD2 loader reads from FILE: the version, skin size and counts of the\n"
    "header, and each animation with its first and end frame. Exits 1 when the file does not load,\n"
    "2 on a wrong command line. FILE may be inside a game archive (.pak, .pk3, .zip), named as\n"
    "ARCHIVE:PATH (pak0.pak:models/x/tris.md2). Where an animation table lies beside the model\n"
    "(BASE.anm, FILE.framegroups or BASE.framegroups, any case), its animations are listed instead,\n"
    "after a line naming it, each with its first and last frame, key frames a second and \"loop\" or\n"
    "\"once\".\n"
    "\n"
    "  --list    every MD2 model inside ARCHIVE or below FOLDER, sorted by path, with its vertex,\n"
    "            triangle, frame and animation counts (or \"refused\", the reason on standard error)\n"
    "  --frames  every frame's name and bounding box, in model coordinates (y up)\n"
    "  --skins   the skin names in the header\n"
    "  --tags    the tag file beside the model (BASE.tag, any case, in its archive too): its frame\n"
    "            count and tag names, or \"tag file: none\"\n"
    "  --animations TABLE  the animations of TABLE (.anm: name first last fps; .framegroups:\n"
    "            first count fps loop // name) instead of the table beside the model\n"
    "  --help    this text\n"
    "  --version  the program's version\n";

// What the command line asks for.
struct Md2InfoOptions {
    std::string animations;
    bool frames = false, skins = false, tags = false, list = false, help = false, version = false;
};

using Md2InfoOption = korvel::tools::ToolOption<Md2InfoOptions>;

const std::vector<Md2InfoOption> kOptions = {
    {nullptr, "--frames", nullptr, "",
     [](Md2InfoOptions& o, const std::string&) { return o.frames = true, std::string(); }},
    {nullptr, "--skins", nullptr, "",
     [](Md2InfoOptions& o, const std::string&) { return o.skins = true, std::string(); }},
    {nullptr, "--tags", nullptr, "",
     [](Md2InfoOptions& o, const std::string&) { return o.tags = true, std::string(); }},
    {nullptr, "--list", nullptr, "",
     [](Md2InfoOptions& o, const std::string&) { return o.list = true, std::string(); }},
    {nullptr, "--animations", "TABLE", "",
     [](Md2InfoOptions& o, const std::string& v) { return o.animations = v, std::string(); }},
    {nullptr, "--help", nullptr, "",
     [](Md2InfoOptions& o, const std::string&) { return o.help = true, std::string(); }},
    {nullptr, "--version", nullptr, "",
     [](Md2InfoOptions& o, const std::string&) { return o.version = true, std::string(); }},
};

// The smallest box around a frame's vertices, in model coordinates (y up).
void PrintFrame(int index, const std::string& name, const FrameMesh& frame) {
    Vec3 low, high;
    for (int v = 0; v < frame.vertexCount; ++v) {
        const Vec3& p = frame.positions[v];
        low = v == 0 ? p : Vec3(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
        high = v == 0 ? p : Vec3(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
    }
    // Adding 0 turns the -0 of a negated zero into 0.
    std::printf("frame %d %s %g %g %g %g %g %g\n", index, name.c_str(), low.x + 0.0f, low.y + 0.0f,
                low.z + 0.0f, high.x + 0.0f, high.y + 0.0f, high.z + 0.0f);
}

// One line per model of the archive or folder; 1 when it cannot be opened, 0 otherwise (a refused
// model is listed as such, as its reason goes to standard error).
int List(const char* root) {
    CMD2Catalog catalog;
    if (!catalog.Open(root)) {
        return 1;
    }
    std::printf("models: %zu\n", catalog.Count());
    for (size_t i = 0; i < catalog.Count(); ++i) {
        CMD2Loader loader;
        ModelData model;
        if (!loader.LoadWithAnimations(model, catalog.Path(i), "")) {
            std::printf("%s refused\n", catalog.Inner(i).c_str());
            continue;
        }
        const MD2Header& header = loader.GetHeader();
        std::printf("%s vertices %d triangles %d frames %d animations %d\n", catalog.Inner(i).c_str(),
                    header.vertexCount, header.triangleCount, model.frameCount, model.animationCount);
    }
    return 0;
}

// The tag file beside the model at path: its frame count and tag names. False when it is refused (the
// reason, one line, on standard error).
bool PrintTags(const std::string& path, int frameCount) {
    const std::string file = CMD2Tags::FindBeside(path);
    if (file.empty()) {
        std::printf("tag file: none\n");
        return true;
    }
    CMD2Tags tags;
    if (!tags.Read(file, frameCount)) {
        return false;
    }
    std::printf("tag file: %s\ntag frames: %d\ntags: %d\n", file.c_str(), tags.GetFrameCount(),
                tags.GetCount());
    for (int i = 0; i < tags.GetCount(); ++i) {
        // A tag that is not a turn stretches or flattens what is put on it: said, as it is drawn so.
        int stretched = 0;
        for (int frame = 0; frame < tags.GetFrameCount(); ++frame) {
            stretched += tags.Get(i, frame).IsRotation() ? 0 : 1;
        }
        std::printf("tag %d %s", i, tags.GetNames()[static_cast<size_t>(i)].c_str());
        if (stretched > 0) {
            std::printf(" (not a rotation in %d of %d frames: its axes are not unit and square)", stretched,
                        tags.GetFrameCount());
        }
        std::printf("\n");
    }
    return true;
}

// A full disk or a closed pipe must not pass for a complete table.
int Flushed(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "md2info: cannot write the output\n");
        return 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    Md2InfoOptions options;
    std::vector<std::string> files;
    const int status = korvel::tools::ReadCommandLine(argc, argv, kOptions, options, files, 1, "md2info",
                                                      kUsage, [] { return std::string(kUsage) + kHelp; });
    if (status >= 0) {
        return status;
    }
    if (files.empty()) {
        return korvel::tools::WrongCommandLine("md2info", kUsage, "no model given");
    }
    if (options.list && (options.frames || options.skins || options.tags || !options.animations.empty())) {
        return korvel::tools::WrongCommandLine("md2info", kUsage, "--list goes with no other option");
    }
    const char* path = files[0].c_str();
    if (options.list) {
        return Flushed(List(path));
    }
    CMD2Loader loader;
    ModelData model;
    std::string tableFile;
    if (!loader.LoadWithAnimations(model, path, options.animations, &tableFile)) {
        return 1;
    }
    const bool table = !tableFile.empty();
    const MD2Header& header = loader.GetHeader();
    std::printf("file: %s\n", path);
    std::printf("version: %d\n", header.version);
    std::printf("skin size: %d x %d\n", header.skinWidth, header.skinHeight);
    std::printf("vertices: %d\n", header.vertexCount);
    std::printf("texture coordinates: %d\n", header.texCoordCount);
    std::printf("triangles: %d\n", header.triangleCount);
    std::printf("frames: %d\n", model.frameCount);
    if (table) {
        std::printf("animation table: %s\n", tableFile.c_str());
    }
    const std::vector<Animation>& animations = model.animations;
    std::printf("animations: %zu\n", animations.size());
    for (size_t i = 0; i < animations.size(); ++i) {
        const Animation& animation = animations[i];
        std::printf("animation %zu %s %d %d", i, animation.name.c_str(), animation.firstFrame,
                    animation.endFrame);
        if (table) {
            std::printf(" %g %s", static_cast<double>(animation.framesPerSecond),
                        animation.held   ? "held"
                        : animation.loop ? "loop"
                                         : "once");
        }
        std::printf("\n");
    }
    if (options.skins) {
        const std::vector<std::string>& names = loader.GetSkinNames();
        std::printf("skins: %zu\n", names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            std::printf("skin %zu %s\n", i, names[i].c_str());
        }
    }
    if (options.tags && !PrintTags(path, model.frameCount)) {
        return Flushed(1);
    }
    if (options.frames) {
        for (int i = 0; i < model.frameCount; ++i) {
            PrintFrame(i, loader.GetFrameNames()[static_cast<size_t>(i)],
                       model.frames[static_cast<size_t>(i)]);
        }
    }
    return Flushed(0);
}
