// Opening another model while the viewer runs: the web page's file input and drop (a model, or an
// archive the page has unpacked), and the next or previous model of the archive or folder being browsed;
// the animation table beside a model.
#include "viewer/Viewer.h"

#include "base/GL.h"
#include "demo/ViewerScene.h"
#include "files/FileSystem.h"
#include "models/AnimationTable.h"
#include "models/MD2Model.h"

#include <iostream>

bool CViewer::Open(const std::string& path) {
    skins.clear();
    skinIndex = 0;
    delete model;
    model = nullptr;
    options.model = path;
    options.skin.clear();
    options.animation.clear();
    options.skinIndex = 0;
    framed = false;

    const bool loaded = LoadModel(path, nullptr);
    if (loaded) {
        FrameModel();
    }
    return loaded;
}

bool CViewer::LoadModel(const std::string& path, const char* skin) {
    CreateModel();
    bool loaded = true;
    if (path.empty()) {
        CViewerScene::LoadHobgoblin(*model);
        skins.push_back(ModelSkin(CViewerScene::kSkinPath));
    } else {
        loaded = model->Load(path.c_str(), skin, false) && FindSkins() && LoadAnimations() && LoadParts();
    }
    ModelLoaded();
    CViewerScene::PlaceHobgoblin(*model);
    model->SetBackFaceCulling(options.cull);
    panelStale = true;
    return loaded;
}

bool CViewer::LoadAnimations() {
    const std::string given = options.model == animationsFor ? options.animationFile : "";
    return CAnimationTable::PutOn(*model, options.model, given, model->GetData().frameCount);
}

bool CViewer::Browse(const std::string& root) {
    options.browse = root;
    options.model.clear();
    overlay = true;
    return OpenCatalog() && OpenFromCatalog(1);
}

bool CViewer::OpenCatalog() {
    if (!catalog.Open(options.browse)) {
        return false;
    }
    if (catalog.Empty()) {
        std::cerr << "No MD2 model in " << options.browse << "!" << std::endl;
        return false;
    }
    if (!options.model.empty()) {
        const size_t prefix = CFileSystem::Join(options.browse, "").size();
        catalog.Select(options.model.substr(prefix));
    }
    std::cout << "Browsing " << catalog.Count() << " models in " << options.browse << std::endl;
    return true;
}

bool CViewer::OpenFromCatalog(int direction) {
    for (size_t tried = 0; tried < catalog.Count(); ++tried) {
        if (tried > 0) {
            catalog.Step(direction);
        }
        const std::string inner = catalog.Inner(catalog.Current());
        if (Open(catalog.Path(catalog.Current()))) {
            std::cout << "\nShowing " << catalog.Place() << ": " << inner << std::endl;
            return true;
        }
        std::cerr << "md2viewer: skipped " << inner << " (" << catalog.Place() << ")" << std::endl;
    }
    return false;
}
