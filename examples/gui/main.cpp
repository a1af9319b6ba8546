// gui-example: the engine's GUI in one window. Run it from runtime/ so it finds Data/.
#include "GuiExample.h"
#include "app/RunApp.h"

int main(int argc, char* argv[]) {
    (void)argc;
    (void)argv;
    return RunApp([] { return new GuiExample; });
}
