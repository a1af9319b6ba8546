// md2gltf: an MD2 model with every animation as a glTF 2.0 file, for modelling tools, game engines
// and web pages that read glTF. Exits 1 when an input cannot be read or the output written, 2 on a
// wrong command line.
#include "ExportInputs.h"
#include "GltfExporter.h"

#include "base/CommandLine.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using korvel::tools::EndsWith;
using korvel::tools::PositiveNumber;

const char* const kUsage = "usage: md2gltf [OPTIONS] MODEL.md2 [SKIN] -o OUT.glb|OUT.gltf\n";

// What the command line asks for.
struct Md2GltfOptions {
    GltfExportOptions exporter;
    std::string output;
    std::string animations;
    std::vector<std::string> attach;
    std::vector<std::string> with;
    bool help = false;
    bool version = false;
};

using Md2GltfOption = korvel::tools::ToolOption<Md2GltfOptions>;

const std::vector<Md2GltfOption> kOptions = {
    {"-o", "--output", "FILE", "the file to write, ending in .glb or .gltf",
     [](Md2GltfOptions& o, const std::string& v) { return o.output = v, std::string(); }},
    {nullptr, "--scale", "S", "metres per MD2 unit (default 0.03: a 56-unit character is 1.7 m tall)",
     [](Md2GltfOptions& o, const std::string& v) {
         o.exporter.scale = static_cast<float>(PositiveNumber(v, 1e6));
         return o.exporter.scale > 0.0f ? std::string() : "--scale needs a positive number, not '" + v + "'";
     }},
    {nullptr, "--fps", "N",
     "key frames per second of animations without a rate of their own (default 5, the engine's 200 ms)",
     [](Md2GltfOptions& o, const std::string& v) {
         o.exporter.framesPerSecond = static_cast<float>(PositiveNumber(v, 1000));
         return o.exporter.framesPerSecond > 0.0f
                    ? std::string()
                    : "--fps needs a number above 0 and up to 1000, not '" + v + "'";
     }},
    {nullptr, "--animations", "TABLE",
     "the animations of TABLE (.anm or .framegroups) instead of the table beside the model",
     [](Md2GltfOptions& o, const std::string& v) { return o.animations = v, std::string(); }},
    {nullptr, "--attach", "TAG=MODEL[:SKIN]",
     "put MODEL on the model's tag TAG, moving with it in every animation (repeatable)",
     [](Md2GltfOptions& o, const std::string& v) { return korvel::tools::AddAttachment(o.attach, v); }},
    {nullptr, "--with", "MODEL[:SKIN]",
     "a model made with the same frames (a weapon), playing them with the model",
     [](Md2GltfOptions& o, const std::string& v) { return o.with.push_back(v), std::string(); }},
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
        ".glb file holds everything; a .gltf file gets OUT.bin and OUT.png beside it. An animation table\n"
        "beside the model (BASE.anm, FILE.framegroups or BASE.framegroups) gives the animations instead of\n"
        "the frame names, each at its own rate; one that plays once does not step back to its start.\n"
        "Parts (--attach, --with) are meshes of their own on child nodes of the model: those on tags, read\n"
        "from the tag file beside the model (BASE.tag), are moved by the tags; linked ones play the\n"
        "model's frames. Their paths may name files inside the model's archive.\n\n";
    return text + korvel::tools::OptionHelp(kOptions);
}

int Wrong(const std::string& message) {
    return korvel::tools::WrongCommandLine("md2gltf", kUsage, message);
}

} // namespace

int main(int argc, char** argv) {
    Md2GltfOptions options;
    std::vector<std::string> files;
    const int status =
        korvel::tools::ReadCommandLine(argc, argv, kOptions, options, files, 2, "md2gltf", kUsage, Help);
    if (status >= 0) {
        return status;
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

    CExportInputs inputs;
    if (!inputs.LoadBody(files[0], files.size() > 1 ? files[1] : "", options.animations)) {
        return 1;
    }
    for (const std::string& given : options.attach) {
        if (!inputs.Attach(given)) {
            return 1;
        }
    }
    for (const std::string& given : options.with) {
        if (!inputs.Link(given)) {
            return 1;
        }
    }

    CGltfExporter exporter(options.exporter);
    exporter.Build(inputs.Body(), inputs.Parts(), inputs.Tags());
    std::string error;
    if (!exporter.Write(output, &error)) {
        std::fprintf(stderr, "md2gltf: %s\n", error.c_str());
        return 1;
    }
    const std::string& skin = inputs.Body().skinSource;
    std::printf("%s: %d vertices, %d morph targets, %d animations, %s", output.c_str(),
                exporter.VertexCount(), exporter.TargetCount(), exporter.AnimationCount(),
                skin.empty() ? "no skin" : ("skin " + skin).c_str());
    if (!inputs.Parts().empty()) {
        std::printf(", %zu parts", inputs.Parts().size());
    }
    std::printf("\n");
    return 0;
}
