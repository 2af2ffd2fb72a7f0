// A whole round without the scene: the player steered by a moving pointer, its circling
// followers and chasing attackers, through kills, three hits and the death sequence.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

#include "components/c_color.hpp"
#include "components/c_color_collide_delete.hpp"
#include "components/c_damage.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "components/c_particle_spawn.hpp"
#include "components/c_physics.hpp"
#include "components/c_player_death.hpp"
#include "components/c_sprite.hpp"
#include "components/c_stun.hpp"
#include "ecs/entity.hpp"
#include "engine/random.hpp"
#include "entities/e_enemy.hpp"
#include "entities/e_player.hpp"
#include "entities/e_warning.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec3 CENTRE = {640.0f, 360.0f, 0.0f};
constexpr u32 KEY_A = 4;
constexpr i32 FOLLOWERS = 4;
// Colours 4 and 5 have no follower, so some attackers always get through.
constexpr i32 ATTACKER_COLORS = 6;
constexpr i32 SPAWN_EVERY = 40;
constexpr i32 STEPS_MAX = 4000;

std::vector<EntityId> followers_of(EntityId player) {
    std::vector<EntityId> list;
    const CGyrel *gyrel = ecs_get_as<CGyrel>(player, C_GYREL);
    for (i32 i = 0; i < gyrel->objects.count; i++) {
        list.push_back(*static_cast<const EntityId *>(vector_get(&gyrel->objects, i)));
    }
    return list;
}

// Just outside a random edge, with its warning just inside, as the play scene sends them.
EntityId attacker_send(EntityId player, std::map<EntityId, i32> *colors) {
    EntityId attacker = entity_add();
    EntityId warning = entity_add();
    i32 edge = random_get() % 4;
    f32 u = static_cast<f32>(random_get()) / static_cast<f32>(RANDOM_MAX);
    vec3 at = {};
    vec3 mark = {};
    if (edge < 2) {
        f32 y = 25.0f + u * 670.0f;
        at = {edge == 0 ? -25.0f : 1305.0f, y, 0.0f};
        mark = {edge == 0 ? 25.0f : 1255.0f, y, 0.0f};
    } else {
        f32 x = 25.0f + u * 1230.0f;
        at = {x, edge == 2 ? -25.0f : 745.0f, 0.0f};
        mark = {x, edge == 2 ? 25.0f : 695.0f, 0.0f};
    }
    i32 color = random_get() % ATTACKER_COLORS;
    enemy_init(attacker, player, color, at, 0.15f);
    warning_init(warning, mark, color);
    (*colors)[attacker] = color;
    return attacker;
}

} // namespace

TEST(PlaySession, HitsKillsAndTheWholeDeathSequence) {
    test_game_reset();
    test_resources_load();
    std::srand(20240611);
    EntityId player = entity_add();
    player_init(player, CENTRE);
    for (i32 i = 0; i < FOLLOWERS; i++) player_follower_add(player);
    const std::vector<EntityId> followers = followers_of(player);
    // A is held throughout: the followers sweep their circle at full speed.
    game.keyboard.current[KEY_A] = 1;
    game.keyboard.previous[KEY_A] = 1;

    std::vector<EntityId> attackers;
    std::map<EntityId, i32> colors;
    i32 kills = 0;
    i32 hits = 0;
    i32 last_hit = -100;
    i32 death_tick = -1;
    i32 stage_tick[5] = {-1, -1, -1, -1, -1};
    i32 followers_gone = -1;
    i32 tick = 0;
    for (; tick < STEPS_MAX; tick++) {
        // The pointer circles the field centre; the player trails it.
        f64 a = tick * 0.015;
        game.mouse.position = {static_cast<f32>(640.0 + 220.0 * std::cos(a)),
                               static_cast<f32>(360.0 + 160.0 * std::sin(a))};
        bool dead = ecs_get_as<CHealth>(player, C_HEALTH)->dead;

        // What the scene does at the start of a step: clear the field after a hit, score kills.
        if (ecs_get_as<CDamage>(player, C_DAMAGE)->damaged && !dead) {
            for (EntityId attacker : attackers) {
                CParticleSpawn *spawn = ecs_get_as<CParticleSpawn>(attacker, C_PARTICLE_SPAWN);
                CPhysics *physics = ecs_get_as<CPhysics>(attacker, C_PHYSICS);
                if (spawn && physics) {
                    c_particle_spawn(spawn, physics->position);
                    entity_delete(attacker);
                }
            }
            attackers.clear();
        }
        for (EntityId f : followers) {
            const CColorCollideDelete *collide = ecs_get_as<CColorCollideDelete>(f, C_COLOR_COLLIDE_DELETE);
            if (!collide || !collide->deleted) continue;
            kills++;
            EntityId victim = collide->deleted_entity;
            EXPECT_EQ(colors[victim], ecs_get_as<CColor>(f, C_COLOR)->color) << "tick " << tick;
            EXPECT_EQ(ecs_get(victim, C_PHYSICS), nullptr);
            // A kill is read in the step after it; none are made after the step of death.
            EXPECT_TRUE(death_tick < 0 || tick == death_tick + 1) << "tick " << tick;
        }
        if (!dead && tick > 0 && tick % SPAWN_EVERY == 0) attackers.push_back(attacker_send(player, &colors));

        i32 value = ecs_get_as<CHealth>(player, C_HEALTH)->value;
        i32 stage = ecs_get_as<CPlayerDeath>(player, C_PLAYER_DEATH)->stage;
        ecs_update_f();
        i32 value_after = ecs_get_as<CHealth>(player, C_HEALTH)->value;
        i32 stage_after = ecs_get_as<CPlayerDeath>(player, C_PLAYER_DEATH)->stage;

        if (value_after != value) {
            EXPECT_EQ(value_after, value - 1) << "tick " << tick;
            EXPECT_GE(tick - last_hit, 19) << "tick " << tick;
            EXPECT_TRUE(ecs_get_as<CDamage>(player, C_DAMAGE)->damaged);
            EXPECT_TRUE(ecs_get_as<CStun>(player, C_STUN)->active);
            EXPECT_EQ(ecs_get_as<CSprite>(player, C_SPRITE)->atlas.frame, 3 - value_after);
            hits++;
            last_hit = tick;
        }
        if (death_tick < 0 && ecs_get_as<CHealth>(player, C_HEALTH)->dead) death_tick = tick;
        if (stage_after != stage) {
            EXPECT_EQ(stage_after, stage + 1);
            stage_tick[stage_after] = tick;
        }
        if (followers_gone < 0 && death_tick >= 0) {
            bool any = false;
            for (EntityId f : followers) any = any || ecs_get(f, C_SPRITE) != nullptr;
            if (!any) followers_gone = tick;
        }
        if (death_tick >= 0 && tick >= death_tick + 240) break;
    }

    ASSERT_GE(death_tick, 0) << "the player never died in " << STEPS_MAX << " steps";
    EXPECT_GT(death_tick, 200);
    EXPECT_EQ(hits, 3);
    EXPECT_GE(kills, 1);
    EXPECT_EQ(stage_tick[1], death_tick);
    EXPECT_EQ(stage_tick[2], death_tick + 19);
    EXPECT_EQ(stage_tick[3], death_tick + 99);
    EXPECT_EQ(stage_tick[4], death_tick + 179);
    // All four are due in the same step; each deletion makes the next one wait a step.
    EXPECT_GE(followers_gone, death_tick + 29);
    EXPECT_LE(followers_gone, death_tick + 29 + FOLLOWERS - 1);
    EXPECT_EQ(ecs_get_as<CPlayerDeath>(player, C_PLAYER_DEATH)->stage, 4);
    EXPECT_NEAR(ecs_get_as<CSprite>(player, C_SPRITE)->scale, 0.0375f, 1e-5f);
    EXPECT_EQ(ecs_get_as<CSprite>(player, C_SPRITE)->atlas.frame, 3);
    // Nothing timed is left: warnings, particles and followers have all gone.
    EXPECT_EQ(game.ecs.registers[C_TIME_DELETE].records.count, 0);
    // Leaving: deleting the player takes the rest of it along.
    entity_delete(player);
    EXPECT_EQ(game.ecs.registers[C_GYREL].records.count, 0);
    EXPECT_EQ(game.ecs.registers[C_COLOR_COLLIDE_DELETE].records.count, 0);
}
