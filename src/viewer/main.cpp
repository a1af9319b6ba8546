// md2viewer's process entry: the command line first (before the engine starts, and before the data
// folder lookup may change the working directory), then the viewer driven through its lifecycle.
#include "app/DataFolder.h"
#include "app/RunApp.h"
#include "graphics/GraphicsCore.h"
#include "viewer/Viewer.h"
#include "viewer/ViewerCommands.h"
#include "viewer/ViewerOptions.h"

#include <cstdlib>
#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

namespace {

class PageViewer;
PageViewer* running = nullptr;

// The viewer the page talks to, for as long as it runs (Escape ends it).
class PageViewer : public CViewer {
public:
    explicit PageViewer(const ViewerOptions& options) : CViewer(options) { running = this; }
    ~PageViewer() override { running = nullptr; }
};

} // namespace

// The web page's file input and drop: a model (and its skins) the page has written into the
// program's file system.
extern "C" EMSCRIPTEN_KEEPALIVE void md2viewer_open(const char* path) {
    if (running && path) {
        running->Open(path);
    }
}

// An archive the page has unpacked into a folder of the program's file system: its models are
// browsed with N and P, as a folder given on the command line.
extern "C" EMSCRIPTEN_KEEPALIVE void md2viewer_browse(const char* folder) {
    if (running && folder) {
        running->Browse(folder);
    }
}

// The viewer's keys and mouse actions from its one table, a "KEY<tab>WHAT IT DOES" line each, for
// the list under the page's canvas.
extern "C" EMSCRIPTEN_KEEPALIVE const char* md2viewer_keys() {
    static std::string text;
    text.clear();
    for (const ViewerKey& key : ViewerKeys()) {
        text += std::string(key.label) + "\t" + key.help + "\n";
    }
    return text.c_str();
}
#endif

int main(int argc, char* argv[]) {
    ViewerOptions options;
    int status = options.Parse(argc, argv);
    if (status >= 0) {
        return status;
    }
    EnterDataFolder();
#ifdef __EMSCRIPTEN__
    using Program = PageViewer;
#else
    using Program = CViewer;
    // A screenshot or a contact sheet needs no window: with no display to open one on (a server, a
    // thumbnailer), the pictures are drawn offscreen.
    const char* display = std::getenv("DISPLAY");
    if ((!options.screenshot.empty() || !options.sheet.empty()) && (!display || !*display)) {
        CGraphicsCore::DrawOffscreen(true);
    }
#endif
    return RunApp([&options] { return new Program(options); },
                  [](CApp& app) { return static_cast<CViewer&>(app).ExitStatus(); });
}
