#include <emscripten.h>

#include "game/game.hpp"
#include "game/game_pause.hpp"

namespace {

// The browser owns the loop: it calls this once per animation frame and so paces it; the page
// must get control back between frames. A browser gives no frames to a hidden tab or an iframe
// scrolled out of view, and the long gap that follows is dropped by the frame as on every
// platform. A quit request frees everything, as on the desktop.
void frame() {
    game_loop();
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
