#include "game/game.hpp"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

namespace {

// The game is a windowed program, so a double-click opens no console. Started from a console
// without redirection it has no standard output of its own: write to that console. Redirected
// output arrives through inherited handles and needs nothing.
void console_attach() {
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::FILE *ignored = std::freopen("CONOUT$", "w", stdout);
    ignored = std::freopen("CONOUT$", "w", stderr);
    (void)ignored;
}

} // namespace
#endif

int main(int, char **) {
#ifdef _WIN32
    console_attach();
#endif
    game_init();
    do {
        game_loop();
        game_pace();
    } while (!game.quit);
    game_free();
    return 0;
}
