// The viewer's skins: every skin the model can wear, loaded as it is first shown, and the plain grey
// texture of a model that has none.
#include "viewer/Viewer.h"

#include "base/GL.h"
#include "models/MD2Model.h"
#include "models/SkinSearch.h"

#include <cstdio>
#include <iostream>

CViewer::~CViewer() {
    for (const Skin& skin : skins) {
        if (skin.owned && skin.texture != 0) {
            glDeleteTextures(1, &skin.texture);
        }
    }
    if (grey != 0) {
        glDeleteTextures(1, &grey);
    }
}

bool CViewer::FindSkins() {
    // One search per model, kept with what it looked for. The model wears the first skin as its own:
    // SKIN, which its Load put on, or the first the model names.
    skinsTried.clear();
    const std::vector<std::string> found =
        CSkinSearch::FindAll(options.model, model->GetLoader().GetSkinNames(), skinsTried);
    if (!options.skin.empty()) {
        skins.push_back({options.skin, model->GetTexture(), true, false});
    } else if (!found.empty()) {
        model->LoadSkin(found.front().c_str());
    }
    for (const std::string& path : found) {
        if (path != options.skin) {
            skins.push_back({path, skins.empty() ? model->GetTexture() : 0u, skins.empty(), false});
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
        model->SetTexture(GreyTexture());
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
        // The model loads the picture the way it loads its own skins; the texture is the viewer's.
        const unsigned int before = model->GetTexture();
        model->SetTexture(CMD2Mesh::LoadSkinTexture(skin.path.c_str()));
        skin.loaded = true;
        skin.owned = model->GetTexture() != before;
        skin.texture = skin.owned ? model->GetTexture() : 0;
    }
    skinIndex = i;
    model->SetTexture(skin.texture != 0 ? skin.texture : GreyTexture());
}

unsigned int CViewer::GreyTexture() {
    if (grey == 0) {
        // A missing skin leaves the model plain light grey rather than black.
        static const unsigned char kGrey[3] = {190, 190, 190};
        glGenTextures(1, &grey);
        glBindTexture(GL_TEXTURE_2D, grey);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, kGrey);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    return grey;
}
