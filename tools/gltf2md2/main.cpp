// gltf2md2: a glTF 2.0 model (still, morph-target or skinned animation) as an MD2 model with its skin
// beside it, for the engine and md2viewer. Exits 1 when the input cannot be converted or the output
// written (leaving no file behind), 2 on a wrong command line.
#include "GltfReader.h"
#include "Md2Baker.h"
#include "SkinTexture.h"

#include "ToolCommandLine.h"
#include "files/FileSystem.h"

#include <tiny_gltf.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>
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
         const double n = PositiveNumber(v, CMd2Baker::kMaxFrames);
         o.baker.maxFrames = static_cast<int>(n);
         return n == std::floor(n) && n >= 1
                    ? std::string()
                    : "--max-frames needs a whole number from 1 to " + std::to_string(CMd2Baker::kMaxFrames) +
                          ", not '" + v + "'";
     }},
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
        "last moment is left out: the engine loops back to the first frame). The engine shows a key\n"
        "frame every 200 ms, five a second, so the default 10 plays at half speed; --fps 5 keeps the\n"
        "glTF's timing and brings back the key frames md2gltf wrote.\n\n"
        "Frames are named after their animation and numbered from 01 (walk01, walk02, ...), the name\n"
        "cut to letters, digits and underscores (other characters become one underscore) and to 13\n"
        "characters, so that the engine lists the animation under that name; a repeated name gets _2,\n"
        "_3. A model without animations is one frame, frame01.\n\n"
        "The base colour texture of the first textured material becomes the skin, written as OUT.png\n"
        "beside OUT.md2 (replacing any file of that name) and named in the model's skin table; texture\n"
        "coordinates must lie on it. Vertices in the same place in every frame with the same normal\n"
        "become one MD2 vertex. MD2 holds at most 2048 vertices, 4096 triangles and 512 key frames.\n"
        "The light-normal byte of every vertex is 0: the engine computes its own normals.\n\n";
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
    const size_t slash = path.find_last_of('/');
    const bool ok =
        ReadGltfBytes(bytes, slash == std::string::npos ? "" : path.substr(0, slash), model, error);
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
    CMd2Baker baker(model, options.baker);
    if (!baker.Bake(error)) {
        return Fail(files[0] + ": " + error);
    }
    std::vector<uint8_t> png;
    int width = 0, height = 0;
    const std::string skinPath = output.substr(0, output.size() - 4) + ".png";
    const std::string skinName = skinPath.substr(skinPath.find_last_of('/') + 1);
    if (baker.SkinImage() >= 0) {
        if (!SkinPng(model, baker.SkinImage(), png, width, height, error)) {
            return Fail(files[0] + ": the skin's " + error);
        }
        if (width > CMd2Baker::kMaxSkinSize || height > CMd2Baker::kMaxSkinSize) {
            return Fail(files[0] + ": the skin is " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels, more than MD2's " + std::to_string(CMd2Baker::kMaxSkinSize) + " a side");
        }
    }
    korvel::files::Md2File md2;
    // A name too long for the table's 64 bytes is still found: the skin is named after the model.
    if (!baker.Build(width, height, png.empty() || skinName.size() > 63 ? "" : skinName, md2, error)) {
        return Fail(files[0] + ": " + error);
    }

    // Both files appear whole or not at all.
    const std::string md2Part = WriteTemporary(output, md2.Bytes());
    const std::string pngPart = png.empty() ? "" : WriteTemporary(skinPath, png);
    const bool renamed = !md2Part.empty() && (png.empty() || !pngPart.empty()) &&
                         (png.empty() || std::rename(pngPart.c_str(), skinPath.c_str()) == 0) &&
                         std::rename(md2Part.c_str(), output.c_str()) == 0;
    if (!renamed) {
        for (const std::string& part : {md2Part, pngPart}) {
            if (!part.empty()) {
                std::remove(part.c_str());
            }
        }
        return Fail("cannot write " + (md2Part.empty() ? output : skinPath));
    }
    std::string animations;
    for (const std::string& name : baker.AnimationNames()) {
        animations += (animations.empty() ? " (" : ", ") + name;
    }
    std::printf("%s: %zu vertices, %zu triangles, %zu key frames, %zu animations%s, %s\n", output.c_str(),
                md2.frames[0].vertices.size(), md2.triangles.size(), md2.frames.size(),
                baker.AnimationNames().size(), animations.empty() ? "" : (animations + ")").c_str(),
                png.empty()
                    ? "no skin"
                    : (skinName + " " + std::to_string(width) + "x" + std::to_string(height)).c_str());
    return 0;
}
