#include "tests/robust/robust_drive.hpp"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "components/c_health.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec2 FIELD_CENTRE = {640.0f, 360.0f};

std::vector<std::set<EntityId>> kind_entities() {
    std::vector<std::set<EntityId>> owners(ECS_COMPONENT_COUNT);
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        const Vector &records = game.ecs.registers[kind].records;
        for (i32 i = 0; i < records.count; i++) {
            EntityId entity;
            std::memcpy(&entity, ecs_from_index_get(i, kind), sizeof entity);
            owners[kind].insert(entity);
        }
    }
    return owners;
}

struct Whole {
    const char *what;
    u32 marker;
    std::vector<u32> without;
    std::vector<u32> needs;
};

// What each kind of built entity must carry once its builder has returned. Markers are
// kinds only that sort of entity has; "without" tells particles and warnings (no game
// object) from attackers and followers, and the logo (a move) from particles.
const std::vector<Whole> WHOLES = {
    {"attacker", C_CHASE, {},
     {C_GAME_OBJECT, C_SPIN, C_COLOR, C_CONTACT_DAMAGE, C_PARTICLE_SPAWN, C_PHYSICS, C_SPRITE, C_CIRCLE,
      C_CIRCLE_COLLIDE}},
    {"game object", C_GAME_OBJECT, {}, {C_PHYSICS, C_SPRITE, C_CIRCLE, C_CIRCLE_COLLIDE}},
    {"follower", C_COLOR_COLLIDE_DELETE, {}, {C_COLOR, C_COLOR_CHANGE, C_GAME_OBJECT, C_SCALE, C_TIME_DELETE}},
    {"particle or warning", C_TIME_DELETE, {C_GAME_OBJECT}, {C_SPRITE, C_COLOR_CHANGE}},
    {"particle", C_SPIN, {C_GAME_OBJECT}, {C_SPRITE, C_COLOR_CHANGE, C_SCALE, C_TIME_DELETE}},
    {"loose sprite", C_SPRITE, {C_GAME_OBJECT, C_MOVE}, {C_TIME_DELETE, C_COLOR_CHANGE}},
};

} // namespace

void robust_step(const RobustInput &input) {
    // The same order as the main loop's step; only the sampling of SDL is replaced.
    if (event_press(&game.event, EVENT_QUIT)) game.quit = true;
    if (keyboard_press(&game.keyboard, SDL_SCANCODE_M)) {
        if (game.music_toggle) {
            music_pause();
        } else {
            music_resume();
        }
        game.music_toggle = !game.music_toggle;
    }
    std::memcpy(game.event.previous, game.event.current, sizeof game.event.current);
    std::memcpy(game.keyboard.previous, game.keyboard.current, sizeof game.keyboard.current);
    std::memcpy(game.mouse.previous, game.mouse.current, sizeof game.mouse.current);
    std::memset(game.keyboard.current, 0, sizeof game.keyboard.current);
    game.keyboard.current[SDL_SCANCODE_SPACE] = input.space;
    game.keyboard.current[SDL_SCANCODE_A] = input.left;
    game.keyboard.current[SDL_SCANCODE_D] = input.right;
    game.keyboard.current[SDL_SCANCODE_P] = input.pause;
    game.keyboard.current[SDL_SCANCODE_M] = input.music;
    game.mouse.position = input.mouse;
    game.mouse.current[MOUSE_BUTTON_LEFT] = input.mouse_left;

    game_state_update_f();
    if (!game.paused) ecs_update_f();
}

void robust_idle(i32 steps) {
    RobustInput input = {};
    input.mouse = FIELD_CENTRE;
    for (i32 i = 0; i < steps; i++) robust_step(input);
}

void robust_game_begin() {
    game.state = GAME_STATE_MENU;
    game.paused = false;
    game_state_data_init();
    game_state_init();
}

void robust_game_end() {
    game_state_free();
    game_state_data_free();
    ecs_clear_all();
}

bool robust_menu_leave(i32 steps_max) {
    RobustInput input = {};
    input.mouse = FIELD_CENTRE;
    for (i32 i = 0; i < steps_max && game.state == GAME_STATE_MENU; i++) {
        input.space = i % 2 == 0;
        robust_step(input);
    }
    return game.state == GAME_STATE_PLAY;
}

bool robust_play_lose(i32 steps_max) {
    RobustInput input = {};
    input.mouse = FIELD_CENTRE;
    if (game.paused && game.state == GAME_STATE_PLAY) {
        input.pause = true;
        robust_step(input);
        input.pause = false;
    }
    for (i32 i = 0; i < steps_max && game.state == GAME_STATE_PLAY; i++) {
        if (CHealth *health = ecs_get_as<CHealth>(game.play.player, C_HEALTH)) health->value = 0;
        robust_step(input);
    }
    return game.state == GAME_STATE_RESULTS;
}

bool robust_results_leave(i32 steps_max) {
    RobustInput input = {};
    input.mouse = FIELD_CENTRE;
    for (i32 i = 0; i < steps_max && game.state == GAME_STATE_RESULTS; i++) {
        input.space = i % 2 == 0;
        robust_step(input);
    }
    return game.state == GAME_STATE_MENU;
}

std::string robust_records_check() {
    std::string problems;
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        const Vector &records = game.ecs.registers[kind].records;
        if (records.count < 0 || static_cast<u32>(records.count) > ECS_RECORD_CAPACITY) {
            problems += "kind " + std::to_string(kind) + " holds " + std::to_string(records.count) + " records\n";
        }
    }
    std::vector<std::set<EntityId>> owners = kind_entities();
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        const i32 count = game.ecs.registers[kind].records.count;
        if (static_cast<size_t>(count) != owners[kind].size()) {
            problems += "kind " + std::to_string(kind) + " has an entity with two records\n";
        }
        for (EntityId entity : owners[kind]) {
            if (entity >= game.ecs.entity_count) {
                problems += "kind " + std::to_string(kind) + " has a record of unissued entity " +
                            std::to_string(entity) + "\n";
            }
        }
    }
    for (const Whole &whole : WHOLES) {
        for (EntityId entity : owners[whole.marker]) {
            bool excluded = std::any_of(whole.without.begin(), whole.without.end(),
                                        [&](u32 kind) { return owners[kind].count(entity) != 0; });
            if (excluded) continue;
            for (u32 kind : whole.needs) {
                if (owners[kind].count(entity) == 0) {
                    problems += std::string(whole.what) + " " + std::to_string(entity) + " lacks kind " +
                                std::to_string(kind) + "\n";
                }
            }
        }
    }
    return problems;
}

std::string robust_kind_counts() {
    std::string counts;
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        const i32 count = game.ecs.registers[kind].records.count;
        if (count == 0) continue;
        if (!counts.empty()) counts += ' ';
        counts += std::to_string(kind) + ":" + std::to_string(count);
    }
    return counts;
}

std::string robust_menu_reference() {
    test_stdout_begin();
    robust_game_begin();
    std::string counts = robust_kind_counts();
    robust_game_end();
    test_stdout_end();
    return counts;
}
