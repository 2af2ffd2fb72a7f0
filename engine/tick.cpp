#include "engine/tick.hpp"

#include <SDL2/SDL.h>
#include <algorithm>
#ifdef _WIN32
#include <windows.h>
#elif !defined(__EMSCRIPTEN__)
#include <csignal>
#include <ctime>
#endif

namespace {

u64 phase_origin = 0;

// Microseconds on the performance counter whose whole milliseconds turn over when
// SDL_GetTicks64's do: the first call waits for one turn-over (under a millisecond) to learn
// where they fall.
u64 phase_now() {
    u64 frequency = SDL_GetPerformanceFrequency();
    if (!phase_origin) {
        u64 ticks = SDL_GetTicks64();
        u64 start = ticks;
        u64 now = 0;
        while (ticks == start) {
            ticks = SDL_GetTicks64();
            now = SDL_GetPerformanceCounter();
        }
        phase_origin = now - ticks * frequency / 1000;
    }
    u64 elapsed = SDL_GetPerformanceCounter() - phase_origin;
    return elapsed / frequency * 1000000 + elapsed % frequency * 1000000 / frequency;
}

// SDL_GetTicks64 in microseconds: its whole milliseconds are exactly its own, so the steps count
// the same milliseconds they always have, and the performance counter gives the part of the
// millisecond it does not. A millisecond that turns over between the two readings is read again.
u64 micros_now() {
    for (;;) {
        u64 before = phase_now();
        u64 ticks = SDL_GetTicks64();
        u64 after = phase_now();
        if (before / 1000 == after / 1000) return ticks * 1000 + after % 1000;
    }
}

#ifdef _WIN32
// The tick count goes on through sleep and hibernation; the unbiased interrupt time does not.
u64 asleep_micros_now() {
    ULONGLONG awake = 0;
    QueryUnbiasedInterruptTime(&awake);
    u64 all = GetTickCount64() * 1000;
    u64 awake_micros = awake / 10;
    return all > awake_micros ? all - awake_micros : 0;
}
u64 continued_count() { return 0; }
#elif defined(__EMSCRIPTEN__)
// The page tells the game itself when it is hidden.
u64 asleep_micros_now() { return 0; }
u64 continued_count() { return 0; }
#else
u64 clock_micros(clockid_t id) {
    timespec t{};
    clock_gettime(id, &t);
    return static_cast<u64>(t.tv_sec) * 1000000 + static_cast<u64>(t.tv_nsec) / 1000;
}
// CLOCK_BOOTTIME goes on while the machine is suspended; CLOCK_MONOTONIC does not.
u64 asleep_micros_now() {
    u64 boot = clock_micros(CLOCK_BOOTTIME);
    u64 awake = clock_micros(CLOCK_MONOTONIC);
    return boot > awake ? boot - awake : 0;
}

volatile std::sig_atomic_t continued = 0;

void continued_note(int) { continued = continued + 1; }

// A stopped process (Ctrl+Z, SIGSTOP, a suspended session) is told when it goes on.
u64 continued_count() {
    static bool watching = false;
    if (!watching) {
        watching = true;
        struct sigaction action {};
        action.sa_handler = continued_note;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(SIGCONT, &action, nullptr);
    }
    return static_cast<u64>(continued);
}
#endif

} // namespace

TickClock tick_clock_read() {
    TickClock clock{};
    clock.continued = continued_count();
    clock.asleep_micros = asleep_micros_now();
    clock.micros = micros_now();
    return clock;
}

void tick_update(Tick *tick) {
    TickClock clock = tick_clock_read();
    tick_update_from(tick, &clock);
}

void tick_update_from(Tick *tick, const TickClock *clock) {
    tick->ticks_previous = tick->ticks;
    tick->ticks = clock->micros / 1000;
    tick->micros = clock->micros;
    tick->delta = tick->ticks - tick->ticks_previous;
    tick->accumulator += tick->delta;
    // Time away is what the platform says the game missed: the machine's sleep, or the whole
    // frame when the process was stopped and continued in it. The game's own slow work (a scene
    // loading, a sanitizer build on a busy machine) makes long frames too, but with neither, so
    // it is dropped as a long gap and never pauses play. The first frame has nothing before it.
    u64 asleep = clock->asleep_micros - tick->asleep_micros;
    tick->away = tick->ticks_previous ? asleep / 1000 : 0;
    if (tick->ticks_previous && clock->continued != tick->continued) tick->away += tick->delta;
    tick->asleep_micros = clock->asleep_micros;
    tick->continued = clock->continued;
}

void tick_gap_drop(Tick *tick, u64 gap_max) {
    if (tick->delta <= gap_max) return;
    tick->accumulator -= tick->delta;
    tick->delta = 0;
}

void tick_hold_drop(Tick *tick) {
    TickClock clock = tick_clock_read();
    tick->ticks = clock.micros / 1000;
    tick->micros = clock.micros;
    tick->asleep_micros = clock.asleep_micros;
    tick->continued = clock.continued;
}

f32 tick_alpha(const Tick *tick) {
    f64 stored = static_cast<f64>(tick->accumulator) * 1000.0 + static_cast<f64>(tick->micros % 1000) - 1000.0;
    return static_cast<f32>(std::clamp(stored / (TICK_STEP_MS * 1000.0), 0.0, 1.0));
}
