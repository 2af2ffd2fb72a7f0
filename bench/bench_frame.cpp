// One busy frame: clear, every sprite and the play scene's three texts drawn, present; at the
// field's own size and in larger drawables, where the field is drawn scaled.
#include <benchmark/benchmark.h>

#include <GL/glew.h>
#include <SDL2/SDL.h>

#include "bench/bench_env.hpp"
#include "components/c_sprite.hpp"
#include "ecs/entity.hpp"
#include "entities/e_text.hpp"
#include "game/game.hpp"

namespace {

constexpr i32 FRAME_SPRITES = 200;
constexpr vec2 FRAME_SPRITE_SIZE = {25.0f, 25.0f};
constexpr vec4 FRAME_SPRITE_COLOR = {0.2f, 0.5f, 0.8f, 1.0f};
constexpr vec4 FRAME_TEXT_COLOR = {0.3f, 1.0f, 0.3f, 1.0f};
constexpr vec4 FRAME_LEVEL_COLOR = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec3 FRAME_SCORE_POSITION = {16.0f, 16.0f, 0.0f};
constexpr vec3 FRAME_LEVEL_POSITION = {1264.0f, 16.0f, 0.0f};
constexpr vec3 FRAME_MESSAGE_POSITION = {640.0f, 360.0f, 0.0f};
// The play scene's help text, as it stands at the start of a game.
constexpr char FRAME_MESSAGE[] = "Don't let anything touch your white center.\n"
                                 "Destroy attackers by touching them with their color.\n\n"
                                 "Move with your mouse.\n"
                                 "Spin with WASD/arrow keys.\n\n"
                                 "Survive.\n";

void frame_scene_build() {
    bench_scene_clear();
    for (i32 i = 0; i < FRAME_SPRITES; i++) {
        EntityId entity = entity_add();
        CSprite *sprite = ecs_add_as<CSprite>(entity, C_SPRITE);
        vec3 position = {40.0f + static_cast<f32>(i % 20) * 60.0f, 40.0f + static_cast<f32>(i / 20) * 65.0f, 0.0f};
        c_sprite_set(sprite, game.textures[TEXTURE_ENEMY], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, FRAME_SPRITE_SIZE,
                     FRAME_SPRITE_COLOR, position);
    }
    text_init(entity_add(), ORIGIN_TOP_LEFT, game.fonts[FONT_LARGE], "0", 1, -1, &FRAME_TEXT_COLOR,
              &FRAME_SCORE_POSITION);
    text_init(entity_add(), ORIGIN_TOP_RIGHT, game.fonts[FONT_LARGE], "x1", 2, -1, &FRAME_LEVEL_COLOR,
              &FRAME_LEVEL_POSITION);
    text_init(entity_add(), ORIGIN_CENTER, game.fonts[FONT_SMALL], FRAME_MESSAGE,
              static_cast<i32>(sizeof FRAME_MESSAGE - 1), -1, &FRAME_TEXT_COLOR, &FRAME_MESSAGE_POSITION);
}

// Gives the window a drawable of the size asked for (larger than the screen if need be: the
// pixels are drawn all the same) and lays the field out in it, as a frame of the game does.
bool frame_drawable_set(int width, int height) {
    SDL_SetWindowSize(game.window.handle, width, height);
    for (int i = 0; i < 200; i++) {
        SDL_PumpEvents();
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(game.window.handle, &w, &h);
        if (w == width && h == height) break;
        SDL_Delay(5);
    }
    window_update(&game.window);
    font_raster_scale_set(window_scale_get(&game.window));
    renderer_update(&game.renderer);
    return game.window.drawable == vec2(static_cast<f32>(width), static_cast<f32>(height));
}

void BM_FrameBusy(benchmark::State &state) {
    if (!frame_drawable_set(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))) {
        state.SkipWithError("the window did not take the drawable size");
        frame_drawable_set(1280, 720);
        return;
    }
    frame_scene_build();
    for (auto _ : state) {
        renderer_clear(&game.renderer);
        ecs_draw();
        renderer_present(&game.renderer);
        // Without it the driver could queue frames and the figure would hide their cost.
        glFinish();
    }
    bench_scene_clear();
    frame_drawable_set(1280, 720);
}
BENCHMARK(BM_FrameBusy)->Args({1280, 720})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

} // namespace
