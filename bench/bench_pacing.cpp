// Pacing: the real loop on a simulated display. Each refresh starts a frame at its vblank (with
// or without ±0.5 ms of jitter in when the loop wakes), and the place the frame draws a sprite
// moving at an even speed is read back from the draw itself. Reported per refresh rate, with
// drawing between steps on and off: the CV of the on-screen displacement per refresh and the
// hitches a second (a displacement differing from the one before by over a quarter step).
// Also the idle menu's share of a core through the real loop and its pacing, on this display,
// and what keeping the previous-step copy costs a step.
#include <benchmark/benchmark.h>

#include <GL/glew.h>

#include <cmath>
#include <ctime>
#include <random>
#include <vector>

#include "bench/bench_env.hpp"
#include "components/c_move.hpp"
#include "components/c_sprite.hpp"
#include "ecs/entity.hpp"
#include "game/game.hpp"

namespace {

constexpr f64 PACING_SECONDS = 10.0;
constexpr i32 PACING_SETTLE_FRAMES = 10; // the first steps of a new sprite are drawn as stepped
constexpr f32 PACING_SPEED = 1.0f;       // pixels a step
constexpr f64 PACING_JITTER_MICROS = 500.0;
constexpr f64 REVEAL_SECONDS = 2.5; // the menu's intro: the logo moves in, then the rest fades in
constexpr f64 IDLE_SECONDS = 5.0;

f32 drawn_x() {
    mat4 model(1.0f);
    GLuint program = game.shaders[SHADER_TEXTURE_QUAD].id;
    glGetUniformfv(program, glGetUniformLocation(program, "uModel"), &model[0][0]);
    return model[3][0];
}

void BM_Pacing(benchmark::State &state) {
    const f64 hz = static_cast<f64>(state.range(0));
    const bool jitter = state.range(1) != 0;
    const bool between = state.range(2) != 0;
    f64 cv = 0.0;
    f64 hitches = 0.0;
    for (auto _ : state) {
        bench_scene_clear();
        game.tick = {};
        game_drawn_cut();
        game.state = GAME_STATE_COUNT; // no scene: the one sprite is all there is
        EntityId entity = entity_add();
        c_sprite_set(ecs_add_as<CSprite>(entity, C_SPRITE), game.textures[TEXTURE_PLAYER], SHADER_TEXTURE_QUAD,
                     ORIGIN_TOP_LEFT, {64.0f, 64.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 300.0f, 0.0f});
        c_move_set(ecs_add_as<CMove>(entity, C_MOVE), {0.0f, 300.0f, 0.0f}, {PACING_SPEED * 1000.0f, 300.0f, 0.0f},
                   1000, CHANGE_FORWARD_HOLD);

        std::mt19937 random(1);
        std::uniform_real_distribution<f64> wake(-PACING_JITTER_MICROS, PACING_JITTER_MICROS);
        const i32 frames = static_cast<i32>(PACING_SECONDS * hz);
        std::vector<f64> moves;
        f32 x_last = 0.0f;
        for (i32 frame = 0; frame < frames; frame++) {
            f64 at = 1000000.0 + frame * 1000000.0 / hz + (jitter ? wake(random) : 0.0);
            TickClock clock = {static_cast<u64>(at), 0, 0};
            if (between) {
                game_frame(&clock);
            } else {
                // The loop as it was: every frame draws what the last step left.
                tick_update_from(&game.tick, &clock);
                tick_gap_drop(&game.tick, TICK_GAP_MAX_MS);
                game_steps_run();
                game_draw(1.0f);
            }
            f32 x = drawn_x();
            if (frame > PACING_SETTLE_FRAMES) moves.push_back(static_cast<f64>(x - x_last));
            x_last = x;
        }
        f64 sum = 0.0;
        for (f64 move : moves) sum += move;
        f64 mean = sum / static_cast<f64>(moves.size());
        f64 square = 0.0;
        i32 hitch_count = 0;
        for (size_t i = 0; i < moves.size(); i++) {
            square += (moves[i] - mean) * (moves[i] - mean);
            if (i > 0 && std::fabs(moves[i] - moves[i - 1]) > PACING_SPEED / 4.0) hitch_count++;
        }
        cv = std::sqrt(square / static_cast<f64>(moves.size())) / mean;
        hitches = hitch_count / (static_cast<f64>(moves.size()) / hz);
        bench_scene_clear();
    }
    state.counters["cv"] = cv;
    state.counters["hitches_per_s"] = hitches;
}
BENCHMARK(BM_Pacing)
    ->ArgNames({"hz", "jitter", "between"})
    ->ArgsProduct({{60, 75, 120, 144}, {0, 1}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// What the previous-step copy adds to each step, with 200 sprites and 3 texts on the field.
void BM_DrawnRefresh(benchmark::State &state) {
    bench_scene_clear();
    for (i32 i = 0; i < 200; i++) {
        c_sprite_set(ecs_add_as<CSprite>(entity_add(), C_SPRITE), game.textures[TEXTURE_ENEMY], SHADER_TEXTURE_QUAD,
                     ORIGIN_CENTER, {25.0f, 25.0f}, {1.0f, 1.0f, 1.0f, 1.0f},
                     {static_cast<f32>(i % 20) * 60.0f, static_cast<f32>(i / 20) * 65.0f, 0.0f});
    }
    for (auto _ : state) game_drawn_refresh();
    bench_scene_clear();
}
BENCHMARK(BM_DrawnRefresh)->Unit(benchmark::kMicrosecond);

f64 process_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<f64>(t.tv_sec) + static_cast<f64>(t.tv_nsec) / 1e9;
}

struct LoopShare {
    f64 share; // of one core
    f64 fps;
    f64 pictures; // drawn a second: a still picture is left on screen
};

// The real loop and its pacing for `seconds`: the share of one core the whole process (the GL
// driver's threads included) takes, and the frames a second.
LoopShare loop_share(f64 seconds) {
    i32 frames = 0;
    u64 pictures = game.drawn.pictures;
    TickClock start = tick_clock_read();
    f64 cpu = process_seconds();
    while (tick_clock_read().micros - start.micros < static_cast<u64>(seconds * 1e6)) {
        game_loop();
        game_pace();
        frames++;
    }
    f64 elapsed = static_cast<f64>(tick_clock_read().micros - start.micros) / 1e6;
    return {(process_seconds() - cpu) / elapsed, frames / elapsed, static_cast<f64>(game.drawn.pictures - pictures) / elapsed};
}

// The menu, left alone: first its reveal (the logo moving in, the button and credits fading
// in), then the still menu after it.
void BM_IdleMenuCoreShare(benchmark::State &state) {
    bench_scene_clear();
    bench_resources_free();
    bench_quiet(true);
    game.state = GAME_STATE_MENU;
    game_state_data_init();
    game_state_init();
    bench_quiet(false);
    game.tick = {};
    LoopShare reveal{};
    LoopShare idle{};
    for (auto _ : state) {
        reveal = loop_share(REVEAL_SECONDS);
        idle = loop_share(IDLE_SECONDS);
    }
    bench_quiet(true);
    game_state_free();
    game_state_data_free();
    bench_quiet(false);
    bench_resources_load();
    state.counters["reveal_core_share"] = reveal.share;
    state.counters["core_share"] = idle.share;
    state.counters["fps"] = idle.fps;
    state.counters["pictures"] = idle.pictures;
}
BENCHMARK(BM_IdleMenuCoreShare)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
