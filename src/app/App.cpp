#include "app/App.h"

#include "app/Engine.h"
#include "graphics/GraphicsCore.h"

CApp::CApp()
    : width(CGraphicsCore::kDefaultWidth), height(CGraphicsCore::kDefaultHeight), bpp(16),
      title("Engine Demo"), fullscreen(true), engine(nullptr) {
    engine = new CEngine;
}

CApp::~CApp() {
    delete engine;
}

bool CApp::Step() {
    Run();
    return false;
}
