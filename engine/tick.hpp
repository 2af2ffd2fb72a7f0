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
