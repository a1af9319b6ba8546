// spinning-game: a small game built on an installed Korvel Engine with find_package(Korvel).
#include "SpinningGame.h"

#include <korvel/app/DataFolder.h>
#include <korvel/app/RunApp.h>

int main() {
    EnterDataFolder(KORVEL_DATA_DIR);
    return RunApp([] { return new SpinningGame; });
}
