// gltf2md2: a glTF 2.0 model (still, morph-target or skinned animation) as an MD2 model with its skin
// beside it, for the engine and md2viewer. Exits 1 when the input cannot be converted or the output
// written (leaving no file behind), 2 on a wrong command line.
#include "GltfReader.h"
#include "Gltf2Md2.h"

#include "base/CommandLine.h"
#include "files/FileSystem.h"

#include <tiny_gltf.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using korvel::tools::EndsWith;
using korvel::tools::PositiveNumber;

const char* const kUsage = "usage: gltf2md2 [OPTIONS] IN.glb|IN.gltf -o OUT.md2\n";

struct Gltf2Md2Options {
    Md2BakeOptions baker;
    std::string output;
    bool help = false;
    bool version = false;
};

using Gltf2Md2Option = korvel::tools::ToolOption<Gltf2Md2Options>;

// `text`, the value of `option`, as a whole number from 1 to `most` into `value`: an error message,
// or an empty one.
std::string WholeNumberOption(const char* option, const std::string& text, int most, int& value) {
    const double n = PositiveNumber(text, most);
    value = static_cast<int>(n);
    return n == std::floor(n) && n >= 1 ? std::string()
                                        : std::string(option) + " needs a whole number from 1 to " +
                                              std::to_string(most) + ", not '" + text + "'";
}

const std::vector<Gltf2Md2Option> kOptions = {
    {"-o", "--output", "FILE", "the MD2 file to write, ending in .md2",
     [](Gltf2Md2Options& o, const std::string& v) { return o.output = v, std::string(); }},
    {nullptr, "--scale", "S", "metres per MD2 unit, as md2gltf's (default 0.03: 1.7 m is 56 units)",
     [](Gltf2Md2Options& o, const std::string& v) {
         o.baker.scale = static_cast<float>(PositiveNumber(v, 1e6));
         return o.baker.scale > 0.0f ? std::string() : "--scale needs a positive number, not '" + v + "'";
     }},
    {nullptr, "--fps", "N", "key frames taken per second of animation (default 10)",
     [](Gltf2Md2Options& o, const std::string& v) {
         o.baker.framesPerSecond = static_cast<float>(PositiveNumber(v, 1000));
         return o.baker.framesPerSecond > 0.0f
                    ? std::string()
                    : "--fps needs a number above 0 and up to 1000, not '" + v + "'";
     }},
    {nullptr, "--max-frames", "N", "at most N key frames per animation, spread over its whole length",
     [](Gltf2Md2Options& o, const std::string& v) {
         return WholeNumberOption("--max-frames", v, CMd2Baker::kMaxFrames, o.baker.maxFrames);
     }},
    {nullptr, "--max-triangles", "N", "simplify the model to at most N triangles (default and most 4096)",
     [](Gltf2Md2Options& o, const std::string& v) {
         return WholeNumberOption("--max-triangles", v, CMd2Baker::kMaxTriangles, o.baker.maxTriangles);
     }},
    {nullptr, "--no-simplify", nullptr, "refuse a model over MD2's limits instead of simplifying it",
     [](Gltf2Md2Options& o, const std::string&) { return o.baker.simplify = false, std::string(); }},
    {nullptr, "--help", nullptr, "this text",
     [](Gltf2Md2Options& o, const std::string&) { return o.help = true, std::string(); }},
    {nullptr, "--version", nullptr, "the program's version",
     [](Gltf2Md2Options& o, const std::string&) { return o.version = true, std::string(); }},
};

std::string Help() {
    std::string text =
        std::string(kUsage) + "\n" +
        "Converts a glTF 2.0 model to MD2: every triangle of every mesh the scene shows becomes one\n"
        "model, posed through its node tree, morph targets and skins, and each glTF animation becomes an\n"
        "MD2 animation of key frames taken --fps times a second from its first key to its last (the\n"
        "last moment is left out: the engine loops back to the first frame).\n\n"
        "Frames are named after their animation (of Blender's Object|Action, the action) and numbered\n"
        "from 01 (walk01, walk02, ...), the name cut to letters, digits and underscores and to 13\n"
        "characters; a repeated name gets _2, _3. OUT.anm beside OUT.md2 lists every animation by its\n"
        "whole name with its frames and rate, so md2viewer, md2info and md2gltf play each at its glTF\n"
        "speed. A model without animations is one frame, frame01.\n\n"
        "Every material shares one skin, OUT.png beside OUT.md2 (replacing any file of that name): one\n"
        "texture alone is the skin, coordinates beyond it repeating it as glTF's default sampler does;\n"
        "several materials are laid out side by side, each texture times its colour and each plain\n"
        "colour as a swatch. A skin over 2048 pixels a side is scaled down. Vertex colours and other\n"
        "maps are left out, with a line saying so.\n\n"
        "MD2 holds at most 2048 vertices, 4096 triangles and 512 key frames. A model over the first two\n"
        "is simplified to fit, the same triangles in every frame, keeping texture seams and open\n"
        "borders. Vertices in the same place in every frame with the same normal become one MD2 vertex.\n"
        "The light-normal byte of every vertex is 0: the engine computes its own normals.\n\n"
        "Compressed and quantized files read as they come: EXT_meshopt_compression, Draco\n"
        "(KHR_draco_mesh_compression), KHR_mesh_quantization and KHR_texture_transform. A file that\n"
        "requires another extension is refused with a line naming it.\n\n";
    return text + korvel::tools::OptionHelp(kOptions);
}

int Wrong(const std::string& message) {
    return korvel::tools::WrongCommandLine("gltf2md2", kUsage, message);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "gltf2md2: %s\n", message.c_str());
    return 1;
}

bool ReadGltf(const std::string& path, tinygltf::Model& model, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!CFileSystem::Read(path, bytes, error)) {
        error = error.empty() ? "cannot read " + path : error;
        return false;
    }
    // Buffers and images beside a .gltf file are looked for beside it, inside its archive if it is in one.
    const bool ok = ReadGltfBytes(bytes, CFileSystem::FolderOf(path), model, error);
    error = path + ": " + error;
    return ok;
}

// Writes bytes to a temporary file beside path; the name written, or empty.
std::string WriteTemporary(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temporary = path + ".part" + std::to_string(getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        return "";
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::remove(temporary.c_str());
        return "";
    }
    return temporary;
}

} // namespace

int main(int argc, char** argv) {
    Gltf2Md2Options options;
    std::vector<std::string> files;
    const int status =
        korvel::tools::ReadCommandLine(argc, argv, kOptions, options, files, 1, "gltf2md2", kUsage, Help);
    if (status >= 0) {
        return status;
    }
    const std::string& output = options.output;
    if (files.empty()) {
        return Wrong("no glTF file given");
    }
    if (output.empty()) {
        return Wrong("no output file given (-o OUT.md2)");
    }
    if (!EndsWith(output, ".md2")) {
        return Wrong("the output file must end in .md2, not '" + output + "'");
    }

    tinygltf::Model model;
    std::string error;
    if (!ReadGltf(files[0], model, error)) {
        return Fail(error);
    }
    const std::string base = output.substr(0, output.size() - 4);
    Gltf2Md2Output converted;
    if (!ConvertGltf(model, options.baker, output.substr(output.find_last_of('/') + 1), converted, error)) {
        return Fail(files[0] + ": " + error);
    }
    for (const std::string& note : converted.notes) {
        std::fprintf(stderr, "gltf2md2: %s\n", note.c_str());
    }

    // The files appear whole or not at all.
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> outputs = {
        {base + ".png", converted.png},
        {base + ".anm", std::vector<uint8_t>(converted.table.begin(), converted.table.end())},
        {output, converted.md2}};
    std::vector<std::string> parts;
    for (const auto& file : outputs) {
        parts.push_back(file.second.empty() ? "" : WriteTemporary(file.first, file.second));
        if (!file.second.empty() && parts.back().empty()) {
            for (const std::string& part : parts) {
                std::remove(part.c_str());
            }
            return Fail("cannot write " + file.first);
        }
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (!parts[i].empty() && std::rename(parts[i].c_str(), outputs[i].first.c_str()) != 0) {
            for (size_t j = i; j < parts.size(); ++j) {
                std::remove(parts[j].c_str());
            }
            return Fail("cannot write " + outputs[i].first);
        }
    }
    std::printf("%s: %s\n", output.c_str(), converted.summary.c_str());
    return 0;
}
