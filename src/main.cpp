#include <windows.h>
#include "shell/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The command line and show state given here are not used: start-up reads its own.
    return static_cast<int>(RunLauncher(instance));
}
