// The viewer's skins: every skin the model can wear, loaded as it is first shown, and the plain grey
// texture of a model that has none.
#include "viewer/Viewer.h"

#include "base/GL.h"
#include "models/MD2Model.h"
#include "models/SkinSearch.h"

#include <cstdio>
#include <iostream>

CViewer::Skin CViewer::ModelSkin(const std::string& path) const {
    return Skin{path, CTexture(), model->GetTexture(), model->SkinHasAlpha(), true};
}

bool CViewer::FindSkins() {
    // One search per model, kept with what it looked for. The model wears the first skin as its own:
    // SKIN, which its Load put on, or the first the model names.
    skinsTried.clear();
    const std::vector<std::string> found =
        CSkinSearch::FindAll(options.model, model->GetLoader().GetSkinNames(), skinsTried);
    if (!options.skin.empty()) {
        skins.push_back(ModelSkin(options.skin));
    } else if (!found.empty()) {
        model->LoadSkin(found.front().c_str());
    }
    for (const std::string& path : found) {
        if (path != options.skin) {
            skins.push_back(skins.empty() ? ModelSkin(path) : Skin{path, CTexture(), 0, false, false});
        }
    }
    if (skins.empty()) {
        ReportMissingSkin();
    }
    if (options.skinIndex >= static_cast<int>(std::max<size_t>(skins.size(), 1))) {
        std::fprintf(stderr, "md2viewer: %s has no skin %d (%zu found, numbered from 0)\n",
                     options.model.c_str(), options.skinIndex, skins.size());
        return false;
    }
    if (skins.empty()) {
        model->SetTexture(GreyTexture(), false);
    } else {
        ShowSkin(static_cast<size_t>(options.skinIndex));
    }
    return true;
}

void CViewer::ReportMissingSkin() const {
    std::string list;
    for (const std::string& name : skinsTried) {
        list += (list.empty() ? "" : ", ") + name;
    }
    std::cerr << "No skin found for " << options.model << " (tried " << list << "): drawn untextured"
              << std::endl;
}

void CViewer::ShowSkin(size_t i) {
    Skin& skin = skins[i];
    if (!skin.loaded) {
        // The picture is loaded the way the model loads its own skins; the texture is the viewer's.
        skin.own = CMD2Mesh::LoadSkinImage(skin.path.c_str());
        skin.texture = skin.own.Name();
        skin.hasAlpha = skin.own.HasAlpha();
        skin.loaded = true;
    }
    skinIndex = i;
    if (skin.texture != 0) {
        model->SetTexture(skin.texture, skin.hasAlpha);
    } else {
        model->SetTexture(GreyTexture(), false);
    }
}

unsigned int CViewer::GreyTexture() {
    if (grey.Name() == 0) {
        // A missing skin leaves the model plain light grey rather than black.
        DecodedImage plain;
        plain.width = plain.height = 1;
        plain.channels = 3;
        plain.pixels = {190, 190, 190};
        TextureOptions options;
        options.minFilter = GL_NEAREST;
        options.magFilter = GL_NEAREST;
        grey = CTexture::Upload(plain, options);
    }
    return grey.Name();
}
