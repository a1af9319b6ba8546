// The viewer's process entry: the command line first (before the engine starts, and before the data
// folder lookup may change the working directory), then one application object driven through its
// lifecycle.
#include "app/DataFolder.h"
#include "app/RunApp.h"
#include "demo/SimpleWindow.h"
#include "demo/ViewerOptions.h"

int main(int argc, char* argv[]) {
    ViewerOptions options;
    int status = options.Parse(argc, argv);
    if (status >= 0) {
        return status;
    }
    EnterDataFolder();
    return RunApp([&options] { return new SimpleWindow(options); },
                  [](CApp& app) { return static_cast<SimpleWindow&>(app).ExitStatus(); });
}
