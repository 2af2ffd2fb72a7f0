#include "game/s_play.hpp"

#include <SDL2/SDL.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "components/c_color.hpp"
#include "components/c_color_change.hpp"
#include "components/c_color_collide_delete.hpp"
#include "components/c_damage.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "components/c_particle_spawn.hpp"
#include "components/c_physics.hpp"
#include "components/c_player_death.hpp"
#include "components/c_scale.hpp"
#include "components/c_stun.hpp"
#include "components/c_text.hpp"
#include "ecs/entity.hpp"
#include "engine/random.hpp"
#include "entities/e_enemy.hpp"
#include "entities/e_player.hpp"
#include "entities/e_text.hpp"
#include "entities/e_warning.hpp"
#include "game/game.hpp"
#include "game/game_pause.hpp"

namespace {

constexpr std::array<vec4, 6> C_COLOR_VALUES = {{
    {0.3f, 1.0f, 0.3f, 1.0f},
    {0.2f, 0.5f, 0.8f, 1.0f},
    {1.0f, 0.2f, 0.2f, 1.0f},
    {1.0f, 1.0f, 0.3f, 1.0f},
    {1.0f, 0.2f, 0.9f, 1.0f},
    {0.2f, 1.0f, 0.9f, 1.0f},
}};
constexpr vec4 COLOR_TRANSPARENT = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr vec3 PLAY_PLAYER_POSITION = {640.0f, 360.0f, 0.0f};
constexpr vec3 PLAY_SCORE_POSITION = {16.0f, 16.0f, 0.0f};
constexpr vec3 PLAY_LEVEL_POSITION = {1264.0f, 16.0f, 0.0f};
constexpr vec4 PLAY_LEVEL_COLOR = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec3 PLAY_MESSAGE_POSITION = {640.0f, 360.0f, 0.0f};

constexpr i32 PLAY_MESSAGE_TICKS = 420;
constexpr i32 PLAY_LEVEL_TICKS = 1200;
constexpr u32 PLAY_FOLLOWERS_MAX = 6;
constexpr f32 PLAY_SPAWN_MARGIN = 25.0f;
constexpr f32 PLAY_WARNING_INSET = 32.0f;
constexpr i32 PLAY_STUN_HOLD = 180;
constexpr i32 PLAY_SPAWN_FLOOR = 5;
constexpr u32 PLAY_ENEMY_CAPACITY = 64;

constexpr char PLAY_MESSAGE[] = "Don't let anything touch your white center.\n"
                                "Destroy attackers by touching them with their color.\n\n"
                                "Move with your mouse.\n"
                                "Spin with WASD/arrow keys.\n\n"
                                "Survive.\n";
static_assert(sizeof PLAY_MESSAGE - 1 == 157);

// Kinds an attacker and its warning are built from, with the records each needs.
struct KindNeed {
    u32 kind;
    u32 count;
};
constexpr KindNeed PLAY_SPAWN_NEEDS[] = {
    {C_GAME_OBJECT, 1}, {C_CHASE, 1},  {C_SPIN, 1},        {C_COLOR, 1},       {C_CONTACT_DAMAGE, 1},
    {C_PARTICLE_SPAWN, 1}, {C_PHYSICS, 1}, {C_SPRITE, 2},  {C_CIRCLE, 1},      {C_CIRCLE_COLLIDE, 1},
    {C_COLOR_CHANGE, 1}, {C_TIME_DELETE, 1},
};

f32 random_unit() { return static_cast<f32>(random_get()) / static_cast<f32>(RANDOM_MAX); }

bool spawn_room() {
    return std::all_of(std::begin(PLAY_SPAWN_NEEDS), std::end(PLAY_SPAWN_NEEDS),
                       [](const KindNeed &need) { return ecs_room_get(need.kind) >= need.count; });
}

void text_number_set(EntityId entity, const char *format, u32 value) {
    CText *text = ecs_get_as<CText>(entity, C_TEXT);
    if (!text) return;
    char buffer[16] = {};
    std::snprintf(buffer, sizeof buffer, format, value);
    c_text_string_set(text, buffer, static_cast<i32>(std::strlen(buffer)));
}

enum Edge : i32 { EDGE_LEFT, EDGE_RIGHT, EDGE_TOP, EDGE_BOTTOM };

void enemy_send(PlayScene *play) {
    // In a step where the kinds are too full for a whole attacker and its warning, none is
    // sent; the timer stays run out, so the next step tries again.
    if (!spawn_room()) return;

    EntityId attacker = entity_add();
    EntityId warning = entity_add();
    const vec4 bounds = game.bounds;
    i32 edge = random_get() % 4;
    f32 u = random_unit();
    vec3 attacker_position = {};
    vec3 warning_position = {};
    if (edge == EDGE_LEFT || edge == EDGE_RIGHT) {
        f32 y = bounds.y + PLAY_SPAWN_MARGIN + u * (bounds.w - bounds.y + 1.0f);
        f32 x = edge == EDGE_LEFT ? bounds.x : bounds.z;
        f32 outward = edge == EDGE_LEFT ? -1.0f : 1.0f;
        attacker_position = {x + outward * PLAY_SPAWN_MARGIN, y, 0.0f};
        warning_position = {x - outward * PLAY_WARNING_INSET, y, 0.0f};
    } else {
        f32 x = bounds.x + PLAY_SPAWN_MARGIN + u * (bounds.z - bounds.x + 1.0f);
        f32 y = edge == EDGE_TOP ? bounds.y : bounds.w;
        f32 outward = edge == EDGE_TOP ? -1.0f : 1.0f;
        attacker_position = {x, y + outward * PLAY_SPAWN_MARGIN, 0.0f};
        warning_position = {x, y - outward * PLAY_WARNING_INSET, 0.0f};
    }
    i32 colors = static_cast<i32>(std::min(play->level, PLAY_FOLLOWERS_MAX));
    i32 index = random_get() % colors;
    f32 acceleration = static_cast<f32>(play->level - 1) * 0.025f + 0.1f;

    enemy_init(attacker, play->player, index, attacker_position, acceleration);
    warning_init(warning, warning_position, index);
    sound_play(&game.sounds[SOUND_WARNING], -1);
    vector_push(&play->enemies, &attacker);

    f32 f = static_cast<f32>(0.05 + 1.9 * static_cast<f64>(random_unit()));
    i32 span = 60 - 2 * static_cast<i32>(play->level);
    play->spawn_timer = std::max(PLAY_SPAWN_FLOOR, static_cast<i32>(f * static_cast<f32>(span)));
}

void enemy_list_remove(PlayScene *play, EntityId enemy) {
    for (i32 i = 0; i < play->enemies.count; i++) {
        if (*static_cast<EntityId *>(vector_get(&play->enemies, i)) == enemy) {
            vector_remove(&play->enemies, i);
            return;
        }
    }
}

void kills_score(PlayScene *play) {
    const CGyrel *gyrel = ecs_get_as<CGyrel>(play->player, C_GYREL);
    if (!gyrel) return;
    for (i32 i = 0; i < gyrel->objects.count; i++) {
        EntityId follower = *static_cast<const EntityId *>(vector_get(&gyrel->objects, i));
        const CColorCollideDelete *collide = ecs_get_as<CColorCollideDelete>(follower, C_COLOR_COLLIDE_DELETE);
        if (!collide || !collide->deleted) continue;
        enemy_list_remove(play, collide->deleted_entity);
        play->score += play->level;
        const CColor *color = ecs_get_as<CColor>(follower, C_COLOR);
        play_score_set(play, color ? color->color : 0);
        // Setting the score adds no records of the circling kind, but stay on the safe side.
        gyrel = ecs_get_as<CGyrel>(play->player, C_GYREL);
        if (!gyrel) return;
    }
}

} // namespace

void play_init(PlayScene *play) {
    *play = {};
    play->player = entity_add();
    play->score_text = entity_add();
    play->level_text = entity_add();
    play->message_text = entity_add();

    player_init(play->player, PLAY_PLAYER_POSITION);
    text_init(play->score_text, ORIGIN_TOP_LEFT, game.fonts[FONT_LARGE], "0", 1, -1, &C_COLOR_VALUES[0],
              &PLAY_SCORE_POSITION);
    play_score_set(play, 0);
    text_init(play->level_text, ORIGIN_TOP_RIGHT, game.fonts[FONT_LARGE], "x0", 2, -1, &PLAY_LEVEL_COLOR,
              &PLAY_LEVEL_POSITION);
    play_level_increment(play);
    text_init(play->message_text, ORIGIN_CENTER, game.fonts[FONT_SMALL], PLAY_MESSAGE,
              static_cast<i32>(sizeof PLAY_MESSAGE - 1), -1, &C_COLOR_VALUES[0], &PLAY_MESSAGE_POSITION);
    if (CColorChange *fade = ecs_get_as<CColorChange>(play->message_text, C_COLOR_CHANGE)) {
        c_color_change_set(fade, &C_COLOR_VALUES[0], &COLOR_TRANSPARENT, PLAY_MESSAGE_TICKS, CHANGE_FORWARD_HOLD);
    }

    vector_init(&play->enemies, sizeof(EntityId), PLAY_ENEMY_CAPACITY);
    play->spawn_timer = 0;
    play->message_timer = PLAY_MESSAGE_TICKS;
    play->spawning = false;
    play->message_showing = true;
    music_play(&game.musics[MUSIC_ETHNICA], true);
}

void play_update_f(PlayScene *play) {
    if (keyboard_press(&game.keyboard, SDL_SCANCODE_P) || gamepad_press(&game.gamepad, GAMEPAD_PAUSE)) {
        game_pause_toggle();
    }
    // A pulled cable pauses, never resumes: the player comes back to the game where it stood.
    if (game.gamepad.current[GAMEPAD_LOST]) game_pause_set(true);
    if (game.paused) return;

    if (play->message_showing) {
        play->message_timer -= 1;
        if (play->message_timer <= 0) {
            play->spawning = true;
            play->message_showing = false;
        }
    }

    if (play->spawning) {
        const CStun *stun = ecs_get_as<CStun>(play->player, C_STUN);
        if (stun && stun->active) {
            play->spawn_timer = PLAY_STUN_HOLD;
        } else {
            play->spawn_timer -= 1;
            if (play->spawn_timer <= 0) enemy_send(play);
        }
    }

    const CDamage *damage = ecs_get_as<CDamage>(play->player, C_DAMAGE);
    const CHealth *health = ecs_get_as<CHealth>(play->player, C_HEALTH);
    if (damage && damage->damaged && health && !health->dead) play_enemy_clear(play, true);

    kills_score(play);

    play->level_timer -= 1;
    if (play->level_timer == 0) play_level_increment(play);

    const CPlayerDeath *death = ecs_get_as<CPlayerDeath>(play->player, C_PLAYER_DEATH);
    if (death && death->stage == 4) play->done = true;
}

void play_free(PlayScene *play) {
    play_enemy_clear(play, false);
    entity_delete(play->player);
    entity_delete(play->score_text);
    entity_delete(play->level_text);
    entity_delete(play->message_text);
    vector_free(&play->enemies);
}

void play_level_increment(PlayScene *play) {
    const CHealth *health = ecs_get_as<CHealth>(play->player, C_HEALTH);
    if (health && health->dead) return;
    if (play->level == 0) {
        play->level = 1;
        player_follower_add(play->player);
    } else {
        sound_play(&game.sounds[SOUND_LEVEL], -1);
        play->level += 1;
        if (play->level <= PLAY_FOLLOWERS_MAX) player_follower_add(play->player);
    }
    play->level_timer = PLAY_LEVEL_TICKS;
    text_number_set(play->level_text, "x%u", play->level);
}

void play_score_set(PlayScene *play, i32 color_index) {
    text_number_set(play->score_text, "%u", play->score);
    if (CScale *scale = ecs_get_as<CScale>(play->score_text, C_SCALE)) {
        c_scale_set(scale, 1.0f, 1.5f, 16, CHANGE_BACKWARD_RESET);
    }
    CColorChange *change = ecs_get_as<CColorChange>(play->score_text, C_COLOR_CHANGE);
    const CText *text = ecs_get_as<CText>(play->score_text, C_TEXT);
    if (change && text) {
        vec4 current = text->color;
        c_color_change_set(change, &current, &C_COLOR_VALUES[static_cast<size_t>(color_index) % C_COLOR_VALUES.size()],
                           16, CHANGE_FORWARD_HOLD);
    }
}

void play_enemy_clear(PlayScene *play, bool particles) {
    for (i32 i = 0; i < play->enemies.count; i++) {
        EntityId enemy = *static_cast<EntityId *>(vector_get(&play->enemies, i));
        if (!particles) {
            entity_delete(enemy);
            continue;
        }
        CParticleSpawn *spawn = ecs_get_as<CParticleSpawn>(enemy, C_PARTICLE_SPAWN);
        const CPhysics *physics = ecs_get_as<CPhysics>(enemy, C_PHYSICS);
        if (!spawn || !physics) continue;
        c_particle_spawn(spawn, physics->position);
        entity_delete(enemy);
    }
}
