// Opening another model while the viewer runs (the web page's file input and drop).
#include "viewer/Viewer.h"

#include "base/GL.h"
#include "demo/ViewerScene.h"
#include "models/MD2Model.h"

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

    CreateModel();
    const bool loaded = model->Load(path.c_str(), nullptr, false) && FindSkins();
    ModelLoaded();
    CViewerScene::PlaceHobgoblin(*model);
    model->SetBackFaceCulling(options.cull);
    if (loaded) {
        FrameModel();
    }
    return loaded;
}
