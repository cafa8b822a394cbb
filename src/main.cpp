#include <windows.h>
#include <cstdlib>
#include <exception>
#include "shell/startup.h"

#if defined(__GLIBCXX__)
// The program's own terminate handler, in place of the C++ runtime's verbose one. That one writes
// the name of an uncaught exception to a console the window does not have, and brings the runtime's
// symbol demangler with it (about 45 KiB of code, all of it resident for the window's whole life
// under Wine, which reads the whole image into memory). Nothing here throws; if anything ever did,
// the program ends at once, as it would have after the message.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The command line and show state given here are not used: start-up reads its own.
    return static_cast<int>(RunLauncher(instance));
}
