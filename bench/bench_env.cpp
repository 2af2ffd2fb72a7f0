#include "bench/bench_env.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "engine/sdl.hpp"
#include "game/game.hpp"

namespace {

constexpr vec4 BENCH_CLEAR_COLOR = {0.0f, 0.0f, 0.0f, 0.0f};

// The start-up lines of SDL and the resource loaders would mix into the report.
i32 quiet_begin() {
    std::fflush(stdout);
    i32 saved = dup(fileno(stdout));
    FILE *null = std::fopen("/dev/null", "w");
    if (null) {
        dup2(fileno(null), fileno(stdout));
        std::fclose(null);
    }
    return saved;
}

void quiet_end(i32 saved) {
    std::fflush(stdout);
    if (saved < 0) return;
    dup2(saved, fileno(stdout));
    close(saved);
}

void bench_game_init() {
    std::memset(&game, 0, sizeof game);
    game.bounds = {0.0f, 0.0f, WINDOW_SIZE.x, WINDOW_SIZE.y};
    i32 saved = quiet_begin();
    game_shader_data_init();
    sdl_init();
    window_init(&game.window, "Gyrel+ benchmarks", &WINDOW_SIZE, SDL_WINDOW_OPENGL);
    if (!game.window.handle) {
        quiet_end(saved);
        std::fprintf(stderr, "no window: %s\n", SDL_GetError());
        std::exit(1);
    }
    renderer_init(&game.renderer, &game.window, CAMERA_ORTHOGRAPHIC);
    renderer_clear_color_set(&game.renderer, &BENCH_CLEAR_COLOR);
    ecs_init();
    for (u32 i = 0; i < SHADER_COUNT; i++) game_shader_init(i);
    for (u32 i = 0; i < TEXTURE_COUNT; i++) game_texture_init(i);
    for (u32 i = 0; i < SOUND_COUNT; i++) game_sound_init(i);
    for (u32 i = 0; i < FONT_COUNT; i++) game_font_init(i);
    quiet_end(saved);
    window_update(&game.window);
    renderer_update(&game.renderer);
}

void bench_game_free() {
    i32 saved = quiet_begin();
    ecs_free();
    for (u32 i = 0; i < SHADER_COUNT; i++) game_shader_free(i);
    for (u32 i = 0; i < TEXTURE_COUNT; i++) game_texture_free(i);
    for (u32 i = 0; i < SOUND_COUNT; i++) game_sound_free(i);
    for (u32 i = 0; i < FONT_COUNT; i++) game_font_free(i);
    renderer_free(&game.renderer);
    window_free(&game.window);
    sdl_quit();
    quiet_end(saved);
}

} // namespace

void bench_quiet(bool quiet) {
    static i32 saved = -1;
    if (quiet) {
        saved = quiet_begin();
    } else {
        quiet_end(saved);
        saved = -1;
    }
}

void bench_resources_free() {
    i32 saved = quiet_begin();
    for (u32 i = 0; i < SHADER_COUNT; i++) game_shader_free(i);
    for (u32 i = 0; i < TEXTURE_COUNT; i++) game_texture_free(i);
    for (u32 i = 0; i < SOUND_COUNT; i++) game_sound_free(i);
    for (u32 i = 0; i < FONT_COUNT; i++) game_font_free(i);
    quiet_end(saved);
}

void bench_resources_load() {
    i32 saved = quiet_begin();
    for (u32 i = 0; i < SHADER_COUNT; i++) game_shader_init(i);
    for (u32 i = 0; i < TEXTURE_COUNT; i++) game_texture_init(i);
    for (u32 i = 0; i < SOUND_COUNT; i++) game_sound_init(i);
    for (u32 i = 0; i < FONT_COUNT; i++) game_font_init(i);
    quiet_end(saved);
}

void bench_scene_clear() {
    ecs_clear_all();
    game.mouse = {};
}

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench_game_init();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_game_free();
    return 0;
}
