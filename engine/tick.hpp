// Frame timing: wall-clock milliseconds fed into the fixed-step accumulator.
#pragma once

#include "engine/types.hpp"

constexpr u64 TICK_STEP_MS = 16;

struct Tick {
    u64 ticks;
    u64 ticks_previous;
    u64 delta;
    u64 accumulator;
};

void tick_update(Tick *tick);
// Forgets the wall-clock time since the last update: time the loop spent held (by the system,
// not by the game's own work) is not played back as a burst of steps.
void tick_gap_drop(Tick *tick);
