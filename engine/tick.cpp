#include "engine/tick.hpp"

#include <SDL2/SDL.h>

void tick_update(Tick *tick) {
    tick->ticks_previous = tick->ticks;
    tick->ticks = SDL_GetTicks64();
    tick->delta = tick->ticks - tick->ticks_previous;
    tick->accumulator += tick->delta;
}

void tick_gap_drop(Tick *tick) { tick->ticks = SDL_GetTicks64(); }
