#include "game/game.hpp"

#include <SDL2/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/sdl.hpp"

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
    if (keyboard_press(&game.keyboard, SDL_SCANCODE_M) || gamepad_press(&game.gamepad, GAMEPAD_MUSIC)) {
        if (game.music_toggle) {
            music_pause();
        } else {
            music_resume();
        }
        game.music_toggle = !game.music_toggle;
    }
    event_update(&game.event);
    if (game.event.current[EVENT_FULLSCREEN]) window_fullscreen_toggle(&game.window);
    // The time the system held the loop is neither replayed (it is a long gap) nor time away.
    if (game.event.current[EVENT_STALL_END]) game.tick.held = true;
    // A player who looks away finds the game waiting; P resumes it.
    if (game.event.current[EVENT_AWAY]) game_pause_set(true);
    if (game.event.current[EVENT_HIDDEN]) music_sound_silence_set(true);
    if (game.event.current[EVENT_SHOWN]) music_sound_silence_set(false);
    mouse_update(&game.mouse, &game.window);
    keyboard_update(&game.keyboard);
    gamepad_update(&game.gamepad, &game.event);
    game_state_update_f();
    if (!game.paused) ecs_update_f();
}

void game_steps_run() {
    while (game.tick.accumulator > TICK_STEP_MS) {
        game_step();
        game.tick.accumulator -= TICK_STEP_MS;
    }
}

void game_pause_set(bool paused) {
    if (game.state != GAME_STATE_PLAY || game.paused == paused) return;
    game.paused = paused;
    std::printf("???\n");
}

void game_draw(f32 alpha) {
    (void)alpha;
    window_update(&game.window);
    font_raster_scale_set(window_scale_get(&game.window));
    renderer_update(&game.renderer);
    ecs_update_v();
    renderer_clear(&game.renderer);
    ecs_draw();
    renderer_present(&game.renderer);
}

void game_frame(const TickClock *clock) {
    tick_update_from(&game.tick, clock);
    tick_gap_drop(&game.tick, TICK_GAP_MAX_MS);
    if (game.tick.held) {
        game.tick.held = false;
    } else if (game.tick.away > TICK_GAP_MAX_MS) {
        game_pause_set(true);
    }
    game_steps_run();
    game_draw(tick_alpha(&game.tick));
}

void game_loop() {
    TickClock clock = tick_clock_read();
    game_frame(&clock);
}

void game_free() {
    game_state_free();
    game_state_data_free();
    ecs_free();
    renderer_free(&game.renderer);
    window_free(&game.window);
    gamepad_free(&game.gamepad);
    sdl_quit();
}
