// Frame timing: a microsecond clock read once a frame, fed into the fixed-step accumulator in
// whole milliseconds, with what is left over telling the draw how far into the next step it is.
#pragma once

#include "engine/types.hpp"

constexpr u64 TICK_STEP_MS = 16;
// The longest gap between frames that is replayed; a longer one means the player was away
// (a hidden page, a stopped process, a window held by the system), not that the machine fell
// behind, and is dropped.
constexpr u64 TICK_GAP_MAX_MS = 250;

// One reading of the clocks a frame starts with. `micros` paces the steps (it reads as
// SDL_GetTicks64 does, in microseconds, and stands still while the machine is suspended);
// `asleep_micros` is how long the machine has been suspended in all; `continued` counts the
// times the process was continued after being stopped. Tests and benchmarks make their own.
struct TickClock {
    u64 micros;
    u64 asleep_micros;
    u64 continued;
};

struct Tick {
    u64 ticks;
    u64 ticks_previous;
    u64 delta;
    u64 accumulator;
    u64 micros; // the clock at this frame's start; ticks is its whole milliseconds
    u64 asleep_micros;
    u64 continued;
    u64 away; // milliseconds since the last frame in which the game was stopped or the machine slept
};

TickClock tick_clock_read();
void tick_update(Tick *tick);
void tick_update_from(Tick *tick, const TickClock *clock);
// Called after tick_update: forgets this frame's time when it is longer than gap_max, so the
// game goes on where it stopped instead of running the missed time back to back.
void tick_gap_drop(Tick *tick, u64 gap_max);
// Forgets the time since the last update: time the loop spent held (by the system, not by the
// game's own work) is neither played back as a burst of steps nor taken for time away.
void tick_hold_drop(Tick *tick);
// How far, from 0 to 1, the time stored is into the step the loop has not yet run. A step runs
// once more than one step is stored, so right after one runs between 1 and 16 ms are left:
// that first millisecond is the step's start.
f32 tick_alpha(const Tick *tick);
