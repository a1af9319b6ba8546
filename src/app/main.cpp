// The viewer's process entry: one application object driven through its lifecycle.
#include "app/DataFolder.h"
#include "app/RunApp.h"
#include "demo/SimpleWindow.h"

int main(int argc, char* argv[]) {
    (void)argc;
    (void)argv;
    EnterDataFolder();
    return RunApp([] { return new SimpleWindow; });
}
