#include "game/game.hpp"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

namespace {

// The browser owns the loop: it calls this once per animation frame, and the page must get
// control back between frames. A quit request frees everything, as on the desktop.
void frame() {
    game_loop();
    if (!game.quit) return;
    emscripten_cancel_main_loop();
    game_free();
}

} // namespace

int main(int, char **) {
    game_init();
    emscripten_set_main_loop(frame, 0, 1);
    return 0;
}
#else
int main(int, char **) {
    game_init();
    do {
        game_loop();
    } while (!game.quit);
    game_free();
    return 0;
}
#endif
