#include <SDL2/SDL.h>
#include <chrono>
#include <thread>

#include "game/game.hpp"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif

namespace {

#ifdef _WIN32
// The game is a windowed program, so a double-click opens no console. Started from a console
// without redirection it has no standard output of its own: write to that console. Redirected
// output arrives through inherited handles and needs nothing.
void console_attach() {
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::FILE *ignored = std::freopen("CONOUT$", "w", stdout);
    ignored = std::freopen("CONOUT$", "w", stderr);
    (void)ignored;
}
#endif

// A minimised or hidden window is drawn this often, whatever its swaps do.
constexpr u64 FRAME_HIDDEN_MICROS = 200000;
constexpr int DISPLAY_HZ_UNKNOWN = 60;

u64 frame_period_micros() {
    SDL_DisplayMode mode{};
    int display = SDL_GetWindowDisplayIndex(game.window.handle);
    int hz = DISPLAY_HZ_UNKNOWN;
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0) hz = mode.refresh_rate;
    return 1000000 / static_cast<u64>(hz);
}

// Where the swap waits for the display, a frame and its swap take about a refresh period and
// nothing is added. Where it does not (vsync refused, software GL, a minimised window on many
// drivers) the frame comes back well within one: the loop then sleeps until the next frame is
// due, instead of drawing pictures nobody sees with a whole core. The interval SDL reports is
// only what was asked for, so the time taken is what counts.
void frame_pace() {
    u64 start = game.tick.micros;
    u64 taken = tick_clock_read().micros - start;
    u64 period = frame_period_micros();
    if (SDL_GetWindowFlags(game.window.handle) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) {
        period = FRAME_HIDDEN_MICROS;
    } else if (taken >= period / 2) {
        return;
    }
    if (taken < period) std::this_thread::sleep_for(std::chrono::microseconds(period - taken));
}

} // namespace

int main(int, char **) {
#ifdef _WIN32
    console_attach();
#endif
    game_init();
    do {
        game_loop();
        frame_pace();
    } while (!game.quit);
    game_free();
    return 0;
}
