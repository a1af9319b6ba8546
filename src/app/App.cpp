#include "app/App.h"

#include "app/Engine.h"

CApp::CApp() : width(1024), height(768), bpp(16), title("Engine Demo"), fullscreen(true), engine(nullptr) {
    engine = new CEngine;
}

CApp::~CApp() {
    if (engine) {
        delete engine;
        engine = nullptr;
    }
}

bool CApp::Step() {
    Run();
    return false;
}
