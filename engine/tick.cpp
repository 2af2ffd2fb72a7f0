#include "engine/tick.hpp"

#include <SDL2/SDL.h>

void tick_update(Tick *tick) {
    tick->ticks_previous = tick->ticks;
    tick->ticks = SDL_GetTicks64();
    tick->delta = tick->ticks - tick->ticks_previous;
    tick->accumulator += tick->delta;
}

void tick_gap_drop(Tick *tick, u64 gap_max) {
    if (tick->delta <= gap_max) return;
    tick->accumulator -= tick->delta;
    tick->delta = 0;
}

void tick_hold_drop(Tick *tick) { tick->ticks = SDL_GetTicks64(); }
