// md2viewer's process entry: the command line first (before the engine starts, and before the data
// folder lookup may change the working directory), then the viewer driven through its lifecycle.
#include "app/DataFolder.h"
#include "app/RunApp.h"
#include "viewer/Viewer.h"
#include "viewer/ViewerOptions.h"

int main(int argc, char* argv[]) {
    ViewerOptions options;
    int status = options.Parse(argc, argv);
    if (status >= 0) {
        return status;
    }
    EnterDataFolder();
    return RunApp([&options] { return new CViewer(options); },
                  [](CApp& app) { return static_cast<CViewer&>(app).ExitStatus(); });
}
