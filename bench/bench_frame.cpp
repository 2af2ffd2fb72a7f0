// One busy frame: clear, every sprite and the play scene's three texts drawn, present; at the
// field's own size and in larger drawables, where the field is drawn scaled.
#include <benchmark/benchmark.h>

#include <GL/glew.h>

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

// The frame is drawn into an offscreen target of the drawable size asked for, laid out as a
// window of that size would be: the pixels drawn scale with it, whatever the screen's size.
struct FrameTarget {
    GLuint framebuffer;
    GLuint color;
};

bool frame_target_init(FrameTarget *target, int width, int height) {
    glGenFramebuffers(1, &target->framebuffer);
    glGenRenderbuffers(1, &target->color);
    glBindRenderbuffer(GL_RENDERBUFFER, target->color);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, target->framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target->color);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
    vec2 size = {static_cast<f32>(width), static_cast<f32>(height)};
    window_layout_set(&game.window, size, size);
    font_raster_scale_set(window_scale_get(&game.window));
    renderer_update(&game.renderer);
    return true;
}

void frame_target_free(FrameTarget *target) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &target->color);
    glDeleteFramebuffers(1, &target->framebuffer);
    window_update(&game.window);
    font_raster_scale_set(window_scale_get(&game.window));
    renderer_update(&game.renderer);
}

void BM_FrameBusy(benchmark::State &state) {
    FrameTarget target = {};
    if (!frame_target_init(&target, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))) {
        state.SkipWithError("no offscreen target of that size");
        frame_target_free(&target);
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
    frame_target_free(&target);
}
BENCHMARK(BM_FrameBusy)->Args({1280, 720})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

} // namespace
