#include "ExportInputs.h"

#include "SkinImage.h"

#include "base/CommandLine.h"
#include "files/FileSystem.h"
#include "models/MD2Loader.h"
#include "models/SkinSearch.h"

#include <cstdio>

namespace {

// The model's file name without its folders and extension.
std::string BaseName(const std::string& path) {
    std::string file = path.substr(path.find_last_of("/:") + 1);
    const size_t dot = file.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

} // namespace

bool CExportInputs::Load(const std::string& path, const std::string& skin, const std::string& animations,
                         GltfModel& out) {
    CMD2Loader loader;
    models.push_back(std::make_unique<ModelData>());
    ModelData& model = *models.back();
    // The loader says why in one line of its own.
    if (!loader.LoadWithAnimations(model, path, animations)) {
        return false;
    }
    if (model.frames.empty() || model.frames[0].triangleCount == 0) {
        std::fprintf(stderr, "md2gltf: %s: the model has no %s to convert\n", path.c_str(),
                     model.frames.empty() ? "frames" : "triangles");
        return false;
    }
    out.model = &model;
    out.frameNames = loader.GetFrameNames();
    out.name = BaseName(path);
    std::string error;
    if (!skin.empty()) {
        if (!ReadSkinAsPng(skin, out.skinPng, out.cutOut, error)) {
            std::fprintf(stderr, "md2gltf: cannot read the skin %s: %s\n", skin.c_str(), error.c_str());
            return false;
        }
        out.skinSource = skin;
        return true;
    }
    std::vector<std::string> tried;
    const std::string found = CSkinSearch::Find(path, loader.GetSkinNames(), tried);
    if (found.empty()) {
        std::string list;
        for (const std::string& name : tried) {
            list += (list.empty() ? "" : ", ") + name;
        }
        std::fprintf(stderr,
                     "md2gltf: warning: no skin found for %s (tried %s); the material is plain grey\n",
                     path.c_str(), list.c_str());
    } else if (!ReadSkinAsPng(found, out.skinPng, out.cutOut, error)) {
        std::fprintf(stderr, "md2gltf: warning: cannot read the skin %s (%s); the material is plain grey\n",
                     found.c_str(), error.c_str());
    } else {
        out.skinSource = found;
    }
    return true;
}

bool CExportInputs::LoadBody(const std::string& path, const std::string& skin,
                             const std::string& animations) {
    bodyPath = path;
    return Load(path, skin, animations, body);
}

bool CExportInputs::Attach(const std::string& given) {
    const std::string tagName = given.substr(0, given.find('='));
    if (!tags) {
        tags = std::make_unique<CMD2Tags>();
        const std::string file = CMD2Tags::FindBeside(bodyPath);
        if (file.empty()) {
            std::fprintf(stderr, "md2gltf: no tag '%s' on %s (it has no tag file)\n", tagName.c_str(),
                         bodyPath.c_str());
            return false;
        }
        // CMD2Tags says why in one line of its own.
        if (!tags->Read(file, body.model->frameCount)) {
            return false;
        }
    }
    GltfPart part;
    part.tag = tags->Find(tagName);
    if (part.tag < 0) {
        std::string have;
        for (const std::string& name : tags->GetNames()) {
            have += (have.empty() ? "" : ", ") + name;
        }
        std::fprintf(stderr, "md2gltf: no tag '%s' on %s (its tags: %s)\n", tagName.c_str(), bodyPath.c_str(),
                     have.c_str());
        return false;
    }
    std::string model, skin;
    korvel::tools::SplitPartSkin(given.substr(tagName.size() + 1), model, skin);
    if (!Load(CFileSystem::BesideModel(model, bodyPath), CFileSystem::BesideModel(skin, bodyPath), "",
              part.model)) {
        return false;
    }
    parts.push_back(std::move(part));
    return true;
}

bool CExportInputs::Link(const std::string& given) {
    GltfPart part;
    std::string model, skin;
    korvel::tools::SplitPartSkin(given, model, skin);
    const std::string path = CFileSystem::BesideModel(model, bodyPath);
    if (!Load(path, CFileSystem::BesideModel(skin, bodyPath), "", part.model)) {
        return false;
    }
    if (part.model.model->frameCount != body.model->frameCount) {
        std::fprintf(stderr, "md2gltf: %s has %d frames, but %s has %d; it cannot play the model's frames\n",
                     path.c_str(), part.model.model->frameCount, bodyPath.c_str(), body.model->frameCount);
        return false;
    }
    parts.push_back(std::move(part));
    return true;
}
