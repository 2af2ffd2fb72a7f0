#include "game/game_pause.hpp"

#include <cstdio>

#include "game/game.hpp"

namespace {

void pause_apply(bool paused) {
    game.paused = paused;
    std::printf("???\n");
}

} // namespace

void game_pause_set(bool paused) {
    if (game.state != GAME_STATE_PLAY || game.paused == paused) return;
    pause_apply(paused);
}

void game_pause_toggle() { pause_apply(!game.paused); }
