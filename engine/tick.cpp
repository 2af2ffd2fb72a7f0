#include "engine/tick.hpp"

#include <SDL2/SDL.h>
#include <algorithm>
#include <ctime>
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

u64 clock_origin = 0;

u64 micros_now() {
    u64 now = SDL_GetPerformanceCounter();
    if (!clock_origin) clock_origin = now;
    u64 elapsed = now - clock_origin;
    u64 frequency = SDL_GetPerformanceFrequency();
    return elapsed / frequency * 1000000 + elapsed % frequency * 1000000 / frequency;
}

#ifdef _WIN32
u64 filetime_micros(const FILETIME &t) {
    return ((static_cast<u64>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10;
}
#elif !defined(__EMSCRIPTEN__)
u64 clock_micros(clockid_t id) {
    timespec t{};
    clock_gettime(id, &t);
    return static_cast<u64>(t.tv_sec) * 1000000 + static_cast<u64>(t.tv_nsec) / 1000;
}
#endif

} // namespace

TickClock tick_clock_read() {
    TickClock clock{};
    clock.micros = micros_now();
#ifdef _WIN32
    // The performance counter goes on through a sleeping machine on Windows.
    clock.wall_micros = clock.micros;
    FILETIME created, ended, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) {
        clock.cpu_micros = filetime_micros(kernel) + filetime_micros(user);
    }
#elif defined(__EMSCRIPTEN__)
    // The page tells the game when it was away.
    clock.wall_micros = clock.micros;
    clock.cpu_micros = clock.micros;
#else
    // The performance counter (CLOCK_MONOTONIC) stands still while the machine is suspended;
    // CLOCK_BOOTTIME does not.
    clock.wall_micros = clock_micros(CLOCK_BOOTTIME);
    clock.cpu_micros = clock_micros(CLOCK_PROCESS_CPUTIME_ID);
#endif
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
    // Time away is wall time in which the game ran nothing. Its own slow work (loading a scene,
    // a sanitizer build drawing) keeps its threads running, so it never counts; a stopped
    // process, a suspended machine or a window held by the system do. The first frame has
    // nothing to compare with.
    u64 wall = clock->wall_micros - tick->wall_micros;
    u64 cpu = clock->cpu_micros - tick->cpu_micros;
    tick->away = tick->wall_micros && wall > cpu ? (wall - cpu) / 1000 : 0;
    tick->wall_micros = clock->wall_micros;
    tick->cpu_micros = clock->cpu_micros;
}

void tick_gap_drop(Tick *tick, u64 gap_max) {
    if (tick->delta <= gap_max) return;
    tick->accumulator -= tick->delta;
    tick->delta = 0;
}

f32 tick_alpha(const Tick *tick) {
    f64 stored = static_cast<f64>(tick->accumulator) * 1000.0 + static_cast<f64>(tick->micros % 1000) - 1000.0;
    return static_cast<f32>(std::clamp(stored / (TICK_STEP_MS * 1000.0), 0.0, 1.0));
}
