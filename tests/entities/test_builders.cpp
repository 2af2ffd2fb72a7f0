// The player, follower, attacker, warning and particle builders, and how their entities
// behave over their first steps.
#include <gtest/gtest.h>

#include <array>

#include "components/c_color.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "components/c_physics.hpp"
#include "components/c_sprite.hpp"
#include "components/c_time_delete.hpp"
#include "ecs/entity.hpp"
#include "entities/e_enemy.hpp"
#include "entities/e_follower.hpp"
#include "entities/e_particle.hpp"
#include "entities/e_player.hpp"
#include "entities/e_warning.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec3 CENTRE = {640.0f, 360.0f, 0.0f};
constexpr std::array<vec4, 6> PALETTE = {{
    {0.3f, 1.0f, 0.3f, 1.0f},
    {0.2f, 0.5f, 0.8f, 1.0f},
    {1.0f, 0.2f, 0.2f, 1.0f},
    {1.0f, 1.0f, 0.3f, 1.0f},
    {1.0f, 0.2f, 0.9f, 1.0f},
    {0.2f, 1.0f, 0.9f, 1.0f},
}};

void reset() {
    test_game_reset();
    test_resources_load();
    game.mouse.position = {CENTRE.x, CENTRE.y};
}

EntityId member(EntityId player, i32 index) {
    const CGyrel *gyrel = ecs_get_as<CGyrel>(player, C_GYREL);
    return *static_cast<const EntityId *>(vector_get(&gyrel->objects, index));
}

const CSprite *sprite_of(EntityId e) { return ecs_get_as<CSprite>(e, C_SPRITE); }

void expect_color(const vec4 &actual, const vec4 &expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.z, expected.z);
    EXPECT_EQ(actual.w, expected.w);
}

} // namespace

TEST(Builders, PlayerShowsItsHealthOnTheAtlas) {
    reset();
    EntityId player = entity_add();
    player_init(player, CENTRE);
    const CSprite *sprite = sprite_of(player);
    EXPECT_EQ(sprite->atlas.columns, 4);
    EXPECT_EQ(sprite->atlas.rows, 1);
    EXPECT_EQ(ecs_get(player, C_COLOR), nullptr);
    EXPECT_EQ(ecs_get(player, C_CONTACT_DAMAGE), nullptr);
    ecs_update_f();
    EXPECT_EQ(sprite_of(player)->atlas.frame, 0);
    ecs_get_as<CHealth>(player, C_HEALTH)->value = 1;
    ecs_update_f();
    EXPECT_EQ(sprite_of(player)->atlas.frame, 2);
}

TEST(Builders, FollowersInPaletteOrderFadeInAndStopAtSix) {
    reset();
    EntityId player = entity_add();
    player_init(player, CENTRE);
    player_follower_add(player);
    EntityId first = member(player, 0);

    // The first step places it straight below the centre (start angle pi/2), unseen.
    ecs_update_f();
    const CPhysics *body = ecs_get_as<CPhysics>(first, C_PHYSICS);
    EXPECT_NEAR(body->position.x, 640.0f, 1e-3f);
    EXPECT_NEAR(body->position.y, 460.0f, 1e-3f);
    EXPECT_EQ(sprite_of(first)->scale, 0.0f);
    EXPECT_EQ(sprite_of(first)->color.w, 0.0f);

    test_ecs_steps(28);
    EXPECT_LT(sprite_of(first)->scale, 1.0f);
    ecs_update_f();
    EXPECT_EQ(sprite_of(first)->scale, 1.0f);
    EXPECT_LT(sprite_of(first)->color.w, 1.0f);
    test_ecs_steps(30);
    expect_color(sprite_of(first)->color, PALETTE[0]);

    for (i32 i = 1; i < 6; i++) player_follower_add(player);
    for (i32 i = 0; i < 6; i++) {
        EntityId f = member(player, i);
        EXPECT_EQ(ecs_get_as<CColor>(f, C_COLOR)->color, i);
        expect_color(sprite_of(f)->color, PALETTE[static_cast<size_t>(i)]);
    }

    // There is no seventh colour: a seventh call adds nothing.
    u32 next = game.ecs.entity_count;
    u32 colors = static_cast<u32>(game.ecs.registers[C_COLOR].records.count);
    player_follower_add(player);
    EXPECT_EQ(ecs_get_as<CGyrel>(player, C_GYREL)->objects.count, 6);
    EXPECT_EQ(game.ecs.entity_count, next);
    EXPECT_EQ(static_cast<u32>(game.ecs.registers[C_COLOR].records.count), colors);

    // A player without a circle gains nothing either.
    EntityId lone = entity_add();
    player_follower_add(lone);
    EXPECT_EQ(game.ecs.entity_count, next + 1);
}

TEST(Builders, RedAttackerFallsOnlyToTheRedFollower) {
    reset();
    EntityId green = entity_add();
    follower_init(green, 0);
    ecs_get_as<CPhysics>(green, C_PHYSICS)->position = {100.0f, 100.0f, 0.0f};
    EntityId red = entity_add();
    follower_init(red, 2);
    ecs_get_as<CPhysics>(red, C_PHYSICS)->position = {300.0f, 100.0f, 0.0f};
    EntityId enemy = entity_add();
    enemy_init(enemy, green, 2, {105.0f, 100.0f, 0.0f}, 0.0f);
    expect_color(sprite_of(enemy)->color, PALETTE[2]);
    ecs_update_f();
    ASSERT_NE(sprite_of(enemy), nullptr);
    EXPECT_NEAR(sprite_of(enemy)->rotation, 0.05f, 1e-6f);
    ecs_get_as<CPhysics>(enemy, C_PHYSICS)->position = {305.0f, 100.0f, 0.0f};
    ecs_update_f();
    EXPECT_EQ(sprite_of(enemy), nullptr);
}

TEST(Builders, WarningAndParticleLifetimes) {
    reset();
    EntityId warning = entity_add();
    warning_init(warning, {20.0f, 300.0f, 0.0f}, 3);
    EXPECT_EQ(ecs_get(warning, C_PHYSICS), nullptr);
    EXPECT_EQ(ecs_get(warning, C_CIRCLE), nullptr);
    EXPECT_EQ(sprite_of(warning)->size.x, 32.0f);
    ecs_update_f();
    expect_color(sprite_of(warning)->color, PALETTE[3]);
    test_ecs_steps(58);
    ASSERT_NE(sprite_of(warning), nullptr);
    EXPECT_NEAR(sprite_of(warning)->color.w, 1.0f / 60.0f * 2.0f, 1e-6f);
    ecs_update_f();
    EXPECT_EQ(sprite_of(warning), nullptr);
    EXPECT_EQ(ecs_get(warning, C_COLOR_CHANGE), nullptr);

    EntityId particle = entity_add();
    particle_init(particle, {50.0f, 60.0f, 0.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, {15.0f, 15.0f},
                  2.0f, 0.005f, 20);
    EXPECT_EQ(ecs_get(particle, C_PHYSICS), nullptr);
    ecs_update_f();
    EXPECT_EQ(sprite_of(particle)->scale, 1.0f);
    EXPECT_EQ(sprite_of(particle)->color.w, 1.0f);
    EXPECT_NEAR(sprite_of(particle)->rotation, 0.005f, 1e-7f);
    test_ecs_steps(18);
    EXPECT_NEAR(sprite_of(particle)->scale, 2.8f, 1e-6f);
    ecs_update_f();
    EXPECT_EQ(sprite_of(particle), nullptr);
    EXPECT_EQ(ecs_get(particle, C_TIME_DELETE), nullptr);
}
