// gui-example: the engine's GUI in one window.
#include "../common/Example.h"
#include "GuiExample.h"

int main() {
    return example::Main([] { return new GuiExample; });
}
