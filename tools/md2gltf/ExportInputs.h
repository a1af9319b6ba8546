// What md2gltf converts: the body and the parts it carries, each loaded with its frames, animations and
// skin, and held until the file is written. Parts named by relative paths lie inside the body's archive
// when the body is inside one and no such file is on disk.
#pragma once

#include "GltfExporter.h"

#include <memory>
#include <string>
#include <vector>

class CExportInputs {
public:
    // Loads the body at path with its skin (`skin`, or the one found beside it) and its animations
    // (`animations`, or the table beside it); false with one line on standard error.
    bool LoadBody(const std::string& path, const std::string& skin, const std::string& animations);
    // Puts the part TAG=MODEL[:SKIN] on the body's tag TAG, read from the tag file beside the body;
    // false with one line when the part does not load, there is no such tag or the tag file is refused.
    bool Attach(const std::string& given);
    // Links the part MODEL[:SKIN], which plays the body's frames; false with one line when it does not
    // load or its frame count is not the body's.
    bool Link(const std::string& given);

    const GltfModel& Body() const { return body; }
    const std::vector<GltfPart>& Parts() const { return parts; }
    // The body's tags, or null when no part is on one.
    const CMD2Tags* Tags() const { return tags.get(); }

private:
    // Loads the model at path (a part's path as given, resolved first) into `model`.
    bool Load(const std::string& path, const std::string& skin, const std::string& animations,
              GltfModel& model);

    std::string bodyPath;
    GltfModel body;
    std::vector<GltfPart> parts;
    std::unique_ptr<CMD2Tags> tags;
    // Every model loaded, released with the inputs.
    std::vector<std::unique_ptr<ModelData>> models;
};
