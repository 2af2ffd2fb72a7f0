// Time in the loop: long gaps and time away, and drawing between steps.
#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "components/c_circle_collide.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_move.hpp"
#include "components/c_spin.hpp"
#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "ecs/entity.hpp"

#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

void play_start() {
    test_game_reset();
    test_resources_free();
    std::srand(7);
    game.state = GAME_STATE_PLAY;
    test_stdout_begin();
    game_state_data_init();
    game_state_init();
    test_stdout_end();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void play_end() {
    test_stdout_begin();
    game_state_free();
    game_state_data_free();
    test_stdout_end();
    test_game_reset();
}

// Every component record's bytes, with what only points elsewhere (glyph textures, list
// storage) replaced by what it holds, and the resources' own handles left out: each run
// loads them anew.
std::vector<std::string> records_snapshot() {
    std::vector<std::string> kinds;
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        const EcsRegister &reg = game.ecs.registers[kind];
        std::string bytes;
        for (i32 i = 0; i < reg.records.count; i++) {
            std::string record(static_cast<const char *>(ecs_from_index_get(i, kind)), reg.records.element_size);
            const Vector *list = nullptr;
            if (kind == C_SPRITE) {
                std::memset(&record[offsetof(CSprite, atlas) + offsetof(Atlas, texture)], 0, sizeof(u32));
            } else if (kind == C_TEXT) {
                std::memset(&record[offsetof(CText, glyphs)], 0, sizeof(CText::glyphs));
                std::memset(&record[offsetof(CText, font)], 0, sizeof(Font));
            } else if (kind == C_GYREL) {
                list = &static_cast<const CGyrel *>(ecs_from_index_get(i, kind))->objects;
                std::memset(&record[offsetof(CGyrel, objects)], 0, sizeof(Vector));
            } else if (kind == C_CIRCLE_COLLIDE) {
                list = &static_cast<const CCircleCollide *>(ecs_from_index_get(i, kind))->collisions;
                std::memset(&record[offsetof(CCircleCollide, collisions)], 0, sizeof(Vector));
            }
            bytes += record;
            if (list) bytes.append(static_cast<const char *>(list->data), list->element_size * static_cast<u64>(list->count));
        }
        kinds.push_back(bytes);
    }
    return kinds;
}

// A scripted game of play: spin one way and the other, pause and resume, with frames drawn
// between the steps or not.
std::vector<std::string> scripted_play(bool drawn) {
    play_start();
    for (i32 n = 0; n < 2400; n++) {
        std::memcpy(game.keyboard.previous, game.keyboard.current, sizeof game.keyboard.current);
        std::memset(game.keyboard.current, 0, sizeof game.keyboard.current);
        game.keyboard.current[(n / 150) % 3 == 0 ? SDL_SCANCODE_A : SDL_SCANCODE_D] = n % 7 != 0;
        game.keyboard.current[SDL_SCANCODE_P] = n % 1000 == 500 || n % 1000 == 560;
        game.mouse.position = {640.0f, 360.0f};
        play_update_f(&game.play); // the scene stays, past the attackers' win too
        if (!game.paused) ecs_update_f();
        game_drawn_refresh();
        if (drawn && n % 3 == 0) game_draw(0.25f + 0.25f * static_cast<f32>(n % 2));
    }
    std::vector<std::string> records = records_snapshot();
    records.push_back(std::to_string(game.play.score) + " " + std::to_string(game.play.enemies.count));
    play_end();
    return records;
}

// The model matrix the quad shader was last given: the last quad's drawn place and turn.
mat4 model_drawn() {
    mat4 model(1.0f);
    GLuint program = game.shaders[SHADER_TEXTURE_QUAD].id;
    glGetUniformfv(program, glGetUniformLocation(program, "uModel"), &model[0][0]);
    return model;
}

} // namespace

// Drawing reads the steps' records and changes none of them.
TEST(Time, StepsLeaveTheSameRecordsWithOrWithoutDraws) {
    std::vector<std::string> stepped = scripted_play(false);
    std::vector<std::string> drawn = scripted_play(true);
    for (u32 kind = 0; kind <= ECS_COMPONENT_COUNT; kind++) EXPECT_TRUE(stepped[kind] == drawn[kind]) << "kind " << kind;
    EXPECT_FALSE(stepped[C_SPRITE].empty());
}

// At 144 frames a second through the real loop, a sprite moving at an even speed is drawn
// further on at every frame, and its turn goes on forward across the wrap from a full turn to 0.
TEST(Time, DrawnMotionAdvancesEveryFrameAt144Hz) {
    test_game_reset();
    test_resources_load();
    game.state = GAME_STATE_COUNT; // no scene: the one sprite is all there is
    EntityId entity = entity_add();
    CSprite *sprite = ecs_add_as<CSprite>(entity, C_SPRITE);
    c_sprite_set(sprite, game.textures[TEXTURE_PLAYER], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, {64.0f, 64.0f},
                 {1.0f, 1.0f, 1.0f, 1.0f}, {100.0f, 360.0f, 0.0f});
    sprite->rotation = 6.0f;
    c_move_set(ecs_add_as<CMove>(entity, C_MOVE), {100.0f, 360.0f, 0.0f}, {1100.0f, 360.0f, 0.0f}, 1000,
               CHANGE_FORWARD_HOLD);
    c_spin_set(ecs_add_as<CSpin>(entity, C_SPIN), 0.05f);

    TickClock clock = {1000000, 0, 0};
    f32 x_last = 0.0f;
    f32 angle_last = 0.0f;
    for (i32 frame = 0; frame < 400; frame++) {
        game_frame(&clock);
        clock.micros += 1000000 / 144;
        mat4 model = model_drawn();
        f32 x = (model * vec4{32.0f, 32.0f, 0.0f, 1.0f}).x; // the quad's centre
        f32 angle = std::atan2(model[0][1], model[0][0]);
        if (frame > 4) {
            EXPECT_GT(x, x_last) << "frame " << frame;
            f32 turn = std::remainder(angle - angle_last, PI2_F32);
            EXPECT_GT(turn, 0.0f) << "frame " << frame;
            EXPECT_LT(turn, 0.05f) << "frame " << frame;
        }
        x_last = x;
        angle_last = angle;
    }
    EXPECT_GT(sprite->rotation, 0.0f); // the turn wrapped at least once on the way
    test_resources_free();
    test_game_reset();
}

// The menu left alone after its reveal is a still picture: the loop draws it twice a second, not
// at every frame, and draws at once again when the window says so or a record changes.
TEST(Time, StillMenuIsNotDrawnAtEveryFrame) {
    test_game_reset();
    test_resources_free();
    game.state = GAME_STATE_MENU;
    test_stdout_begin();
    game_state_data_init();
    game_state_init();
    test_stdout_end();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    TickClock clock = {1000000, 0, 0};
    auto frames = [&clock](i32 count) {
        u64 pictures = game.drawn.pictures;
        for (i32 i = 0; i < count; i++) {
            clock.micros += 1000000 / 60;
            game_frame(&clock);
        }
        return game.drawn.pictures - pictures;
    };
    EXPECT_GT(frames(60), 50u); // the logo moving in
    frames(120);                // the button and the credits fading in
    EXPECT_LE(frames(120), 5u);

    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(game.window.handle);
    SDL_PushEvent(&exposed);
    EXPECT_EQ(frames(2), 1u);
    ecs_get_as<CSprite>(game.menu.logo, C_SPRITE)->position.y += 1.0f;
    EXPECT_EQ(frames(1), 1u);

    test_stdout_begin();
    game_state_free();
    game_state_data_free();
    test_stdout_end();
    test_game_reset();
}

// Frames on an injected clock: a gap over a quarter second is dropped (the part of a step
// already stored kept), and only time the platform says the game missed pauses play.
TEST(Time, GapsDroppedAndTimeAwayPausesPlay) {
    play_start();
    TickClock clock = {1000500, 0, 0};
    game_frame(&clock);
    game.tick.accumulator = 7;
    struct Case {
        u64 gap_ms;
        u64 asleep_ms;
        u64 continued;
        u64 accumulator;
        bool paused;
    };
    // A 251 ms frame of the game's own work (a scene load) is dropped but does not pause; 40 s
    // stopped and continued does both; a suspended machine stops the step clock but not the
    // wall clock, so its frame may even look short.
    for (const Case &c : {Case{250, 0, 0, 257 - 256, false}, Case{251, 0, 0, 1, false}, Case{40000, 0, 1, 1, true},
                          Case{16, 3600000, 0, 1, true}, Case{16, 0, 0, 1, false}}) {
        game.paused = false;
        clock.micros += c.gap_ms * 1000;
        clock.asleep_micros += c.asleep_ms * 1000;
        clock.continued += c.continued;
        game_frame(&clock);
        EXPECT_EQ(game.tick.accumulator, c.accumulator) << c.gap_ms;
        EXPECT_EQ(game.paused, c.paused) << c.gap_ms;
    }
    play_end();
}
