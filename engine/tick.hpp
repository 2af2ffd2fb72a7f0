// Frame timing: wall-clock milliseconds fed into the fixed-step accumulator.
#pragma once

#include "engine/types.hpp"

constexpr u64 TICK_STEP_MS = 16;
// The longest gap between frames a platform that drops gaps replays; a longer one means the
// page or window was away (hidden, frozen, out of view), not that the machine fell behind.
constexpr u64 TICK_GAP_MAX_MS = 250;

struct Tick {
    u64 ticks;
    u64 ticks_previous;
    u64 delta;
    u64 accumulator;
};

void tick_update(Tick *tick);
// Called after tick_update: forgets this frame's time when it is longer than gap_max, so the
// game goes on where it stopped instead of running the missed time back to back.
void tick_gap_drop(Tick *tick, u64 gap_max);

// Forgets the wall-clock time since the last update: time the loop spent held (by the system,
// not by the game's own work) is not played back as a burst of steps.
void tick_hold_drop(Tick *tick);
