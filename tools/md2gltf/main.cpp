// md2gltf: an MD2 model with every animation as a glTF 2.0 file, for modelling tools, game engines
// and web pages that read glTF. Exits 1 when an input cannot be read or the output written, 2 on a
// wrong command line.
#include "GltfExporter.h"
#include "SkinImage.h"

#include "base/Version.h"
#include "models/MD2Loader.h"
#include "models/SkinSearch.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

namespace {

const char* const kUsage = "usage: md2gltf [OPTIONS] MODEL.md2 [SKIN] -o OUT.glb|OUT.gltf\n";

// What the command line asks for.
struct Md2GltfOptions {
    GltfExportOptions exporter;
    std::string output;
    bool help = false;
    bool version = false;
};

// A positive number no larger than limit, or 0 when text is not one.
float Positive(const std::string& text, float limit) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' && std::isfinite(value) && value > 0 && value <= limit
               ? static_cast<float>(value)
               : 0.0f;
}

// An option: its short and long names (the short one may be null), the name of its value (null for a
// switch), its help, and what it does to the options; `apply` returns an error message, or an empty one.
struct Md2GltfOption {
    const char* shortName;
    const char* name;
    const char* value;
    const char* help;
    std::string (*apply)(Md2GltfOptions& options, const std::string& value);
};

const std::vector<Md2GltfOption> kOptions = {
    {"-o", "--output", "FILE", "the file to write, ending in .glb or .gltf",
     [](Md2GltfOptions& o, const std::string& v) { return o.output = v, std::string(); }},
    {nullptr, "--scale", "S", "metres per MD2 unit (default 0.03: a 56-unit character is 1.7 m tall)",
     [](Md2GltfOptions& o, const std::string& v) {
         o.exporter.scale = Positive(v, 1e6f);
         return o.exporter.scale > 0.0f ? std::string() : "--scale needs a positive number, not '" + v + "'";
     }},
    {nullptr, "--fps", "N", "key frames per second (default 5, the engine's 200 ms per key frame)",
     [](Md2GltfOptions& o, const std::string& v) {
         o.exporter.framesPerSecond = Positive(v, 1000.0f);
         return o.exporter.framesPerSecond > 0.0f
                    ? std::string()
                    : "--fps needs a number above 0 and up to 1000, not '" + v + "'";
     }},
    {nullptr, "--help", nullptr, "this text",
     [](Md2GltfOptions& o, const std::string&) { return o.help = true, std::string(); }},
    {nullptr, "--version", nullptr, "the program's version",
     [](Md2GltfOptions& o, const std::string&) { return o.version = true, std::string(); }},
};

// The usage, what the program does, and a line for each option.
std::string Help() {
    std::string text =
        std::string(kUsage) + "\n" +
        "Converts an MD2 model to glTF 2.0: frame 0 is the mesh, every further key frame a morph target,\n"
        "and every animation a glTF animation of the target weights. Without SKIN the skin named inside\n"
        "the model is looked for beside it (pcx, png, tga, bmp, jpg). MODEL may lie inside a game archive\n"
        "(.pak, .pk3, .zip), named ARCHIVE:PATH; its skin is then looked for beside it in the archive. A\n"
        ".glb file holds everything; a .gltf file gets OUT.bin and OUT.png beside it.\n\n";
    for (const Md2GltfOption& option : kOptions) {
        std::string left =
            option.shortName ? std::string(option.shortName) + ", " + option.name : option.name;
        left += option.value ? std::string(" ") + option.value : "";
        text += "  " + left + std::string(left.size() < 17 ? 19 - left.size() : 2, ' ') + option.help + "\n";
    }
    return text;
}

int Wrong(const std::string& message) {
    std::fprintf(stderr, "md2gltf: %s\n%s", message.c_str(), kUsage);
    return 2;
}

bool EndsWith(const std::string& text, const char* end) {
    const size_t n = std::strlen(end);
    return text.size() > n && strcasecmp(text.c_str() + text.size() - n, end) == 0;
}

// The model's file name without its folders and extension.
std::string BaseName(const std::string& path) {
    std::string file = path.substr(path.find_last_of('/') + 1);
    const size_t dot = file.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

} // namespace

int main(int argc, char** argv) {
    Md2GltfOptions options;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const Md2GltfOption* option = nullptr;
        for (const Md2GltfOption& known : kOptions) {
            option = arg == known.name || (known.shortName && arg == known.shortName) ? &known : option;
        }
        if (!option) {
            if (arg.size() > 1 && arg[0] == '-') {
                return Wrong("unknown option '" + arg + "'");
            }
            if (arg.empty() || files.size() == 2) {
                return Wrong(arg.empty() ? "an empty file name" : "too many files: '" + arg + "'");
            }
            files.push_back(arg);
            continue;
        }
        if (option->value && i + 1 >= argc) {
            return Wrong("option " + arg + " needs a value");
        }
        const std::string error = option->apply(options, option->value ? argv[++i] : "");
        if (!error.empty()) {
            return Wrong(error);
        }
        if (options.help || options.version) {
            std::printf("%s", options.help ? Help().c_str() : "md2gltf (Korvel Engine) " KORVEL_VERSION "\n");
            return 0;
        }
    }
    const std::string& output = options.output;
    if (files.empty()) {
        return Wrong("no model given");
    }
    if (output.empty()) {
        return Wrong("no output file given (-o OUT.glb or -o OUT.gltf)");
    }
    if (!EndsWith(output, ".glb") && !EndsWith(output, ".gltf")) {
        return Wrong("the output file must end in .glb or .gltf, not '" + output + "'");
    }

    const std::string& modelPath = files[0];
    CMD2Loader loader;
    ModelData model;
    // The loader says why in one line of its own.
    if (!loader.Load(model, modelPath.c_str(), nullptr)) {
        return 1;
    }
    if (model.frames.empty() || model.frames[0].triangleCount == 0) {
        std::fprintf(stderr, "md2gltf: %s: the model has no %s to convert\n", modelPath.c_str(),
                     model.frames.empty() ? "frames" : "triangles");
        ReleaseModelData(model);
        return 1;
    }

    std::vector<uint8_t> png;
    std::string skinPath, error;
    bool cutOut = false;
    if (files.size() > 1) {
        skinPath = files[1];
        if (!ReadSkinAsPng(skinPath, png, cutOut, error)) {
            std::fprintf(stderr, "md2gltf: cannot read the skin %s: %s\n", skinPath.c_str(), error.c_str());
            ReleaseModelData(model);
            return 1;
        }
    } else {
        std::vector<std::string> tried;
        skinPath = CSkinSearch::Find(modelPath, loader.GetSkinNames(), tried);
        if (skinPath.empty()) {
            std::string list;
            for (const std::string& name : tried) {
                list += (list.empty() ? "" : ", ") + name;
            }
            std::fprintf(stderr,
                         "md2gltf: warning: no skin found for %s (tried %s); the material is plain grey\n",
                         modelPath.c_str(), list.c_str());
        } else if (!ReadSkinAsPng(skinPath, png, cutOut, error)) {
            std::fprintf(stderr,
                         "md2gltf: warning: cannot read the skin %s (%s); the material is plain grey\n",
                         skinPath.c_str(), error.c_str());
            skinPath.clear();
        }
    }

    CGltfExporter exporter(options.exporter);
    exporter.Build(model, loader.GetFrameNames(), BaseName(modelPath), png, cutOut);
    ReleaseModelData(model);
    if (!exporter.Write(output, &error, skinPath)) {
        std::fprintf(stderr, "md2gltf: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %d vertices, %d morph targets, %d animations, %s\n", output.c_str(),
                exporter.VertexCount(), exporter.TargetCount(), exporter.AnimationCount(),
                skinPath.empty() ? "no skin" : ("skin " + skinPath).c_str());
    return 0;
}
