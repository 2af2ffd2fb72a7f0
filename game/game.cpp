#include "game/game.hpp"

#include <SDL2/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>

#include "engine/sdl.hpp"
#include "game/game_pause.hpp"

Game game;

namespace {

constexpr vec4 RENDERER_CLEAR_COLOR = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr vec4 GAME_BOUNDS = {0.0f, 0.0f, 1280.0f, 720.0f};

} // namespace

void game_init() {
    // People and tests watch the console lines as they happen, even through a pipe.
    // Windows' C runtime has no line buffering (and refuses a zero size for it): unbuffered.
#ifdef _WIN32
    std::setvbuf(stdout, nullptr, _IONBF, 0);
#else
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
#endif

    std::memset(&game, 0, sizeof game);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    game.bounds = GAME_BOUNDS;
    game_shader_data_init();
    sdl_init();

    // The field keeps its size; a window of any other size (a dense display) shows it scaled.
    window_init(&game.window, WINDOW_TITLE, &WINDOW_SIZE,
                SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!game.window.handle) {
        sdl_start_fail("SDL2 WINDOW ERROR: %s\n", SDL_GetError());
    }
    event_init();
    renderer_init(&game.renderer, &game.window, CAMERA_ORTHOGRAPHIC);
    renderer_clear_color_set(&game.renderer, &RENDERER_CLEAR_COLOR);
    ecs_init();

    game.state = GAME_STATE_MENU;
    game_state_data_init();
    game_state_init();
}

void game_step() {
    if (event_press(&game.event, EVENT_QUIT)) game.quit = true;
    if (game_input_press(ACTION_MUSIC)) {
        if (game.music_toggle) {
            music_pause();
        } else {
            music_resume();
        }
        game.music_toggle = !game.music_toggle;
    }
    event_update(&game.event);
    if (game_input_press(ACTION_FULLSCREEN)) window_fullscreen_toggle(&game.window);
    // The steps still owed when the loop was held run as usual; the hold itself is not owed.
    if (game.event.current[EVENT_STALL_END]) tick_hold_drop(&game.tick);
    // A player who looks away finds the game waiting; P resumes it.
    if (game.event.current[EVENT_AWAY]) game_pause_set(true);
    if (game.event.current[EVENT_HIDDEN]) music_sound_silence_set(true);
    if (game.event.current[EVENT_SHOWN]) music_sound_silence_set(false);
    // The window system may have lost or resized the picture: the next frame draws it.
    if (game.event.current[EVENT_WINDOW]) game.drawn.shown_valid = false;
    mouse_update(&game.mouse, &game.window);
    keyboard_update(&game.keyboard);
    gamepad_update(&game.gamepad);
    game_input_update();
    game_state_update_f();
    if (!game.paused) ecs_update_f();
    game_drawn_refresh();
}

void game_steps_run() {
    while (game.tick.accumulator > TICK_STEP_MS) {
        game_step();
        game.tick.accumulator -= TICK_STEP_MS;
    }
}

void game_draw(f32 alpha) {
    game.drawn.behind = 1.0f - alpha;
    window_update(&game.window);
    font_raster_scale_set(window_scale_get(&game.window));
    renderer_update(&game.renderer);
    ecs_update_v();
    renderer_clear(&game.renderer);
    ecs_draw();
    renderer_present(&game.renderer);
    game.drawn.behind = 0.0f;
}

void game_frame(const TickClock *clock) {
    tick_update_from(&game.tick, clock);
    tick_gap_drop(&game.tick, TICK_GAP_MAX_MS);
    if (game.tick.away > TICK_GAP_MAX_MS) game_pause_set(true);
    game_steps_run();
#ifndef __EMSCRIPTEN__
    // The browser shows the last picture of a canvas that drew nothing as well, but its frames
    // are the page's to pace, and it keeps drawing each one as before.
    if (game_drawn_on_screen(clock->micros)) return;
#endif
    game_draw(tick_alpha(&game.tick));
    game.drawn.pictures++;
}

void game_loop() {
    TickClock clock = tick_clock_read();
    game_frame(&clock);
}

#ifndef __EMSCRIPTEN__
namespace {

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

} // namespace

// Where the swap waits for the display, a frame and its swap take about a refresh period and
// nothing is added. Where it does not (vsync refused, software GL, a minimised window on many
// drivers) the frame comes back well within one, under three quarters of it: the loop then
// sleeps until the next frame is due, instead of drawing pictures nobody sees with a whole
// core. The interval SDL reports is only what was asked for, so the time taken is what counts.
// A frame that waited for the display takes a whole period give or take the wake-up, so no
// sleep ever pushes a frame past the vblank it waited for.
void game_pace() {
    u64 taken = tick_clock_read().micros - game.tick.micros;
    u64 period = frame_period_micros();
    if (SDL_GetWindowFlags(game.window.handle) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) {
        period = FRAME_HIDDEN_MICROS;
    } else if (taken >= period * 3 / 4) {
        return;
    }
    if (taken < period) std::this_thread::sleep_for(std::chrono::microseconds(period - taken));
}
#endif

void game_free() {
    game_state_free();
    game_state_data_free();
    ecs_free();
    renderer_free(&game.renderer);
    window_free(&game.window);
    game_input_free();
    gamepad_free(&game.gamepad);
    sdl_quit();
}
