#include "game/game.hpp"
#include "game/game_pause.hpp"

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

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

namespace {

// The browser owns the loop: it calls this once per animation frame, and the page must get
// control back between frames. A browser gives no frames to a hidden tab or an iframe scrolled
// out of view, so a long gap is time the player was away: dropped, never replayed. A quit
// request frees everything, as on the desktop.
void frame() {
    tick_update(&game.tick);
    tick_gap_drop(&game.tick, TICK_GAP_MAX_MS);
    game_steps_run();
    game_draw();
    if (!game.quit) return;
    emscripten_cancel_main_loop();
    game_free();
}

} // namespace

// Called by the page (web/life.js): a hidden page pauses play, a tap on the canvas resumes it.
extern "C" {
EMSCRIPTEN_KEEPALIVE void gyrel_page_hidden() { game_pause_set(true); }
EMSCRIPTEN_KEEPALIVE void gyrel_tap_resume() { game_pause_set(false); }
}

int main(int, char **) {
    game_init();
    emscripten_set_main_loop(frame, 0, 1);
    return 0;
}
#else
int main(int, char **) {
#ifdef _WIN32
    console_attach();
#endif
    game_init();
    do {
        game_loop();
    } while (!game.quit);
    game_free();
    return 0;
}
#endif
