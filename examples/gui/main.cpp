// gui-example: the engine's GUI in one window. From runtime/, or from anywhere once installed.
#include "GuiExample.h"
#include "app/DataFolder.h"
#include "app/RunApp.h"

int main(int argc, char* argv[]) {
    (void)argc;
    (void)argv;
    EnterDataFolder();
    return RunApp([] { return new GuiExample; });
}
