#include "Gltf2Md2.h"

#include "graphics/PngWriter.h"

#include <cstdio>

bool ConvertGltf(const tinygltf::Model& model, const Md2BakeOptions& options, const std::string& md2Name,
                 Gltf2Md2Output& output, std::string& error) {
    output = Gltf2Md2Output();
    CMd2Baker baker(model, options);
    if (!baker.Bake(error)) {
        return false;
    }
    const CSkinAtlas& skin = baker.Skin();
    const std::string skinName = md2Name.substr(0, md2Name.size() - 4) + ".png";
    if (!skin.Empty() && !CPngWriter::EncodeRGBA(skin.Width(), skin.Height(), skin.Rgba(), output.png)) {
        error = "the skin cannot be written as PNG";
        return false;
    }
    korvel::files::Md2File md2;
    // A name too long for the table's 64 bytes is still found: the skin is named after the model.
    if (!baker.Build(skinName.size() > 63 ? "" : skinName, md2, error)) {
        return false;
    }
    output.md2 = md2.Bytes();
    output.notes = baker.Notes();
    // The animation table beside the model: each animation's key frames and its rate.
    for (const Md2BakedAnimation& animation : baker.Animations()) {
        // The rate in plain decimals, as the table's reader takes them: no exponent.
        char rate[32];
        std::snprintf(rate, sizeof rate, "%.4f", animation.framesPerSecond);
        std::string digits = rate;
        digits.erase(digits.find_last_not_of('0') + 1);
        digits.erase(digits.find_last_not_of('.') + 1);
        output.table += animation.name + " " + std::to_string(animation.first) + " " +
                        std::to_string(animation.last) + " " + digits + "\n";
    }
    if (!output.table.empty()) {
        output.table = "// " + md2Name +
                       "'s animations: name, first and last key frame, key frames a second\n" + output.table;
    }
    std::string names;
    for (const std::string& name : baker.AnimationNames()) {
        names += (names.empty() ? " (" : ", ") + name;
    }
    output.summary =
        std::to_string(md2.frames[0].vertices.size()) + " vertices, " + std::to_string(md2.triangles.size()) +
        " triangles, " + std::to_string(md2.frames.size()) + " key frames, " +
        std::to_string(baker.AnimationNames().size()) + " animations" + (names.empty() ? "" : names + ")") +
        ", " +
        (skin.Empty() ? "no skin"
                      : skinName + " " + std::to_string(skin.Width()) + "x" + std::to_string(skin.Height()));
    return true;
}
