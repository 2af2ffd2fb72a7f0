// Kills, hits, stuns, the death sequence, particle bursts and timed deletion, driven through
// the real step with the real builders.
#include <gtest/gtest.h>

#include "components/c_circle_collide.hpp"
#include "components/c_color.hpp"
#include "components/c_color_change.hpp"
#include "components/c_color_collide_delete.hpp"
#include "components/c_control.hpp"
#include "components/c_damage.hpp"
#include "components/c_flash.hpp"
#include "components/c_game_object.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "components/c_particle_spawn.hpp"
#include "components/c_physics.hpp"
#include "components/c_player_death.hpp"
#include "components/c_pulsate.hpp"
#include "components/c_rotation.hpp"
#include "components/c_scale.hpp"
#include "components/c_spin.hpp"
#include "components/c_sprite.hpp"
#include "components/c_stun.hpp"
#include "components/c_time_delete.hpp"
#include "ecs/entity.hpp"
#include "entities/e_enemy.hpp"
#include "entities/e_follower.hpp"
#include "entities/e_player.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec3 CENTRE = {640.0f, 360.0f, 0.0f};
constexpr u32 PARTICLE_KINDS[] = {C_COLOR_CHANGE, C_SPRITE, C_SCALE, C_SPIN, C_TIME_DELETE};

void reset() {
    test_game_reset();
    test_resources_load();
    game.mouse.position = {CENTRE.x, CENTRE.y};
}

CPhysics *physics_of(EntityId e) { return ecs_get_as<CPhysics>(e, C_PHYSICS); }
CHealth *health_of(EntityId e) { return ecs_get_as<CHealth>(e, C_HEALTH); }
CDamage *damage_of(EntityId e) { return ecs_get_as<CDamage>(e, C_DAMAGE); }
CStun *stun_of(EntityId e) { return ecs_get_as<CStun>(e, C_STUN); }
CPlayerDeath *death_of(EntityId e) { return ecs_get_as<CPlayerDeath>(e, C_PLAYER_DEATH); }
CColorCollideDelete *collide_of(EntityId e) { return ecs_get_as<CColorCollideDelete>(e, C_COLOR_COLLIDE_DELETE); }
bool exists(EntityId e) { return ecs_get(e, C_SPRITE) != nullptr; }

// A follower standing free (not on a player's circle) at a chosen place.
EntityId follower_at(i32 color, vec3 position) {
    EntityId f = entity_add();
    follower_init(f, color);
    physics_of(f)->position = position;
    return f;
}

// An attacker that stays put: chasing with no acceleration.
EntityId attacker_at(i32 color, vec3 position, EntityId target) {
    EntityId a = entity_add();
    enemy_init(a, target, color, position, 0.0f);
    return a;
}

u32 records_of(u32 kind) { return static_cast<u32>(game.ecs.registers[kind].records.count); }

} // namespace

TEST(GameplayColorCollide, OwnColourDestroyedWithEffectsOthersIgnored) {
    reset();
    EntityId f = follower_at(0, {300.0f, 300.0f, 0.0f});
    EntityId g1 = attacker_at(0, {300.0f, 310.0f, 0.0f}, f);
    EntityId g2 = attacker_at(0, {310.0f, 300.0f, 0.0f}, f);
    EntityId blue = attacker_at(1, {300.0f, 290.0f, 0.0f}, f);
    u32 first_particle = game.ecs.entity_count;
    u32 time_deletes = records_of(C_TIME_DELETE);

    ecs_update_f();
    EXPECT_FALSE(exists(g1));
    EXPECT_FALSE(exists(g2));
    EXPECT_TRUE(exists(blue));
    EXPECT_TRUE(collide_of(f)->deleted);
    EXPECT_EQ(collide_of(f)->deleted_entity, g2);
    // Two particles each where the victims stood, small then big.
    EXPECT_EQ(records_of(C_TIME_DELETE), time_deletes + 4);
    const CSprite *lil = ecs_get_as<CSprite>(first_particle, C_SPRITE);
    const CSprite *big = ecs_get_as<CSprite>(first_particle + 1, C_SPRITE);
    ASSERT_NE(lil, nullptr);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(lil->position.y, 310.0f);
    EXPECT_EQ(lil->size.x, 15.0f);
    EXPECT_EQ(big->size.x, 30.0f);
    EXPECT_EQ(ecs_get_as<CSprite>(first_particle + 2, C_SPRITE)->position.x, 310.0f);
    // The follower blinks white and shrinks and grows back.
    const CColorChange *blink = ecs_get_as<CColorChange>(f, C_COLOR_CHANGE);
    EXPECT_EQ(blink->color.w, 1.0f);
    EXPECT_EQ(blink->base_color.x, 0.3f);
    EXPECT_EQ(blink->duration, 30);
    EXPECT_EQ(ecs_get_as<CScale>(f, C_SCALE)->scale_delta, -1.0f);

    // Still touching the blue one: nothing destroyed, so nothing reported.
    ecs_update_f();
    EXPECT_TRUE(exists(blue));
    EXPECT_FALSE(collide_of(f)->deleted);
    EXPECT_EQ(collide_of(f)->deleted_entity, g2);

    // A victim that cannot burst is still destroyed, silently: no particles, no blink.
    EntityId yellow = follower_at(3, {900.0f, 500.0f, 0.0f});
    EntityId victim = entity_add();
    c_game_object_set(ecs_add_as<CGameObject>(victim, C_GAME_OBJECT), game.textures[TEXTURE_ENEMY],
                      SHADER_TEXTURE_QUAD, ORIGIN_CENTER, {25.0f, 25.0f}, {905.0f, 500.0f, 0.0f},
                      {1.0f, 1.0f, 1.0f, 1.0f}, 0.95f, 20.0f, 16.0f);
    c_color_set(ecs_add_as<CColor>(victim, C_COLOR), 3);
    time_deletes = records_of(C_TIME_DELETE);
    ecs_update_f();
    EXPECT_FALSE(exists(victim));
    EXPECT_TRUE(collide_of(yellow)->deleted);
    EXPECT_EQ(records_of(C_TIME_DELETE), time_deletes);
    EXPECT_EQ(ecs_get_as<CColorChange>(yellow, C_COLOR_CHANGE)->color.w, 0.0f);
}

TEST(GameplayContactDamage, FollowerDestroysBeforeThePlayerIsHurt) {
    reset();
    EntityId player = entity_add();
    player_init(player, CENTRE);
    follower_at(0, {700.0f, 360.0f, 0.0f});
    // 30 from the player (radii 20 + 16) and 30 from the follower (30 + 16): in both lists.
    EntityId green = attacker_at(0, {670.0f, 360.0f, 0.0f}, player);
    ecs_update_f();
    EXPECT_FALSE(exists(green));
    EXPECT_EQ(health_of(player)->value, 3);
    EXPECT_FALSE(damage_of(player)->damaged);
    EXPECT_FALSE(stun_of(player)->active);

    // The same place in a colour the follower does not have: it hurts.
    attacker_at(1, {670.0f, 360.0f, 0.0f}, player);
    ecs_update_f();
    EXPECT_EQ(health_of(player)->value, 2);
    EXPECT_TRUE(damage_of(player)->damaged);
}

TEST(GameplayDamage, CooldownStunAndTheThirdHit) {
    reset();
    EntityId player = entity_add();
    player_init(player, CENTRE);
    attacker_at(0, {650.0f, 360.0f, 0.0f}, player);
    attacker_at(1, {630.0f, 360.0f, 0.0f}, player);
    ecs_update_f();
    // Two attackers in one step cost one point; the player still spun once in that step.
    EXPECT_EQ(health_of(player)->value, 3 - 1);
    f32 angle = ecs_get_as<CRotation>(player, C_ROTATION)->angle;
    EXPECT_NE(angle, 1.5707964f);
    EXPECT_TRUE(damage_of(player)->damaged);
    EXPECT_EQ(damage_of(player)->cooldown, 18);
    EXPECT_TRUE(stun_of(player)->active);
    EXPECT_TRUE(ecs_get_as<CControl>(player, C_CONTROL)->disabled);
    EXPECT_TRUE(ecs_get_as<CRotation>(player, C_ROTATION)->disabled);
    const CFlash *flash = ecs_get_as<CFlash>(player, C_FLASH);
    EXPECT_FALSE(flash->done);
    EXPECT_EQ(flash->color.x, 1.0f);
    EXPECT_EQ(flash->duration, 18);
    EXPECT_EQ(ecs_get_as<CSprite>(player, C_SPRITE)->atlas.frame, 1);

    ecs_update_f();
    EXPECT_FALSE(damage_of(player)->damaged);
    EXPECT_EQ(ecs_get_as<CRotation>(player, C_ROTATION)->angle, angle);
    // The stun ends after its 18 steps; the contacts of the cooldown cost nothing.
    test_ecs_steps(16);
    EXPECT_FALSE(stun_of(player)->active);
    EXPECT_FALSE(ecs_get_as<CControl>(player, C_CONTROL)->disabled);
    EXPECT_FALSE(ecs_get_as<CRotation>(player, C_ROTATION)->disabled);
    ecs_update_f();
    EXPECT_EQ(health_of(player)->value, 2);
    EXPECT_EQ(damage_of(player)->cooldown, 0);
    EXPECT_TRUE(ecs_get_as<CFlash>(player, C_FLASH)->done);
    EXPECT_EQ(game.renderer.clear_color.x, 0.0f);
    EXPECT_EQ(game.renderer.clear_color.w, 0.0f);

    // The 19th step after the hit counts again.
    ecs_update_f();
    EXPECT_EQ(health_of(player)->value, 1);
    EXPECT_EQ(ecs_get_as<CSprite>(player, C_SPRITE)->atlas.frame, 2);
    test_ecs_steps(18);
    EXPECT_EQ(health_of(player)->value, 1);
    ecs_update_f();
    EXPECT_EQ(health_of(player)->value, 0);
    EXPECT_TRUE(health_of(player)->dead);
    EXPECT_EQ(ecs_get_as<CSprite>(player, C_SPRITE)->atlas.frame, 3);
    EXPECT_EQ(death_of(player)->stage, 1);

    // Dead: no more hits, and the stun stays in force for good.
    test_ecs_steps(300);
    EXPECT_EQ(health_of(player)->value, 0);
    EXPECT_FALSE(damage_of(player)->damaged);
    EXPECT_TRUE(stun_of(player)->active);
    EXPECT_EQ(stun_of(player)->timer, 18);
    EXPECT_TRUE(ecs_get_as<CControl>(player, C_CONTROL)->disabled);
    EXPECT_EQ(ecs_get_as<CSprite>(player, C_SPRITE)->atlas.frame, 3);
}

TEST(GameplayDamage, HitWithoutFlashOrStunOnlyStartsTheCooldown) {
    reset();
    EntityId target = entity_add();
    c_game_object_set(ecs_add_as<CGameObject>(target, C_GAME_OBJECT), game.textures[TEXTURE_PLAYER],
                      SHADER_TEXTURE_QUAD, ORIGIN_CENTER, {40.0f, 40.0f}, CENTRE, {1.0f, 1.0f, 1.0f, 1.0f}, 0.7f,
                      5.0f, 20.0f);
    ecs_add(target, C_DAMAGE);
    c_health_set(ecs_add_as<CHealth>(target, C_HEALTH), 3);
    attacker_at(2, {650.0f, 360.0f, 0.0f}, target);
    ecs_update_f();
    EXPECT_EQ(health_of(target)->value, 3);
    EXPECT_FALSE(damage_of(target)->damaged);
    EXPECT_EQ(damage_of(target)->cooldown, 18);
    ecs_update_f();
    EXPECT_EQ(damage_of(target)->cooldown, 17);
    EXPECT_FALSE(damage_of(target)->hit);
    test_ecs_steps(18);
    EXPECT_EQ(damage_of(target)->cooldown, 18);
    EXPECT_EQ(health_of(target)->value, 3);

    // Damage without health reports nothing.
    EntityId bare = entity_add();
    ecs_add_as<CDamage>(bare, C_DAMAGE)->hit = true;
    ecs_update_f();
    EXPECT_FALSE(damage_of(bare)->damaged);
}

TEST(GameplayStun, WithoutHealthRunsItsCourse) {
    reset();
    EntityId e = entity_add();
    CPhysics *physics = ecs_add_as<CPhysics>(e, C_PHYSICS);
    c_physics_set(physics, {0.0f, 0.0f, 0.0f}, 1.0f, 10.0f);
    physics->velocity = {3.0f, 3.0f, 3.0f};
    ecs_add(e, C_CONTROL);
    ecs_add(e, C_ROTATION);
    c_stun_set(ecs_add_as<CStun>(e, C_STUN), 3);
    ecs_update_f();
    EXPECT_TRUE(ecs_get_as<CControl>(e, C_CONTROL)->disabled);
    EXPECT_TRUE(ecs_get_as<CRotation>(e, C_ROTATION)->disabled);
    EXPECT_EQ(physics_of(e)->velocity.z, 0.0f);
    EXPECT_EQ(stun_of(e)->timer, 2);
    test_ecs_steps(2);
    EXPECT_FALSE(stun_of(e)->active);
    EXPECT_FALSE(ecs_get_as<CControl>(e, C_CONTROL)->disabled);
    EXPECT_FALSE(ecs_get_as<CRotation>(e, C_ROTATION)->disabled);
    EXPECT_EQ(physics_of(e)->velocity.x, 0.0f);

    // Missing a control: nothing happens, the stun waits.
    EntityId lame = entity_add();
    ecs_add(lame, C_PHYSICS);
    ecs_add(lame, C_ROTATION);
    c_stun_set(ecs_add_as<CStun>(lame, C_STUN), 3);
    test_ecs_steps(5);
    EXPECT_TRUE(stun_of(lame)->active);
    EXPECT_EQ(stun_of(lame)->timer, 3);
}

TEST(GameplayDeath, TimelineFollowersAndLastKill) {
    reset();
    EntityId player = entity_add();
    player_init(player, CENTRE);
    player_follower_add(player);
    player_follower_add(player);
    const CGyrel *gyrel = ecs_get_as<CGyrel>(player, C_GYREL);
    EntityId green = *static_cast<const EntityId *>(vector_get(&gyrel->objects, 0));
    EntityId blue = *static_cast<const EntityId *>(vector_get(&gyrel->objects, 1));

    // Alive, the stage never moves, whatever the timer says.
    death_of(player)->timer = 1;
    test_ecs_steps(3);
    EXPECT_EQ(death_of(player)->stage, 0);

    // Tick 0: the health runs out; the green follower still destroys an attacker of its colour.
    EntityId last = attacker_at(0, physics_of(green)->position, player);
    health_of(player)->value = 0;
    ecs_update_f();
    EXPECT_FALSE(exists(last));
    EXPECT_TRUE(collide_of(green)->deleted);
    EXPECT_EQ(death_of(player)->stage, 1);
    EXPECT_EQ(death_of(player)->timer, 19);
    EXPECT_TRUE(ecs_get_as<CControl>(player, C_CONTROL)->disabled);
    EXPECT_TRUE(ecs_get_as<CRotation>(player, C_ROTATION)->disabled);
    EXPECT_TRUE(ecs_get_as<CPulsate>(player, C_PULSATE)->done);
    for (EntityId f : {green, blue}) {
        EXPECT_TRUE(collide_of(f)->disabled);
        EXPECT_EQ(ecs_get_as<CTimeDelete>(f, C_TIME_DELETE)->timer, 29);
        EXPECT_EQ(ecs_get_as<CScale>(f, C_SCALE)->scale_delta, 2.0f);
        const CColorChange *fade = ecs_get_as<CColorChange>(f, C_COLOR_CHANGE);
        EXPECT_EQ(fade->color.w, 0.0f);
        EXPECT_EQ(fade->duration, 30);
        EXPECT_EQ(fade->type, CHANGE_FORWARD_RESET);
    }

    // Tick 1: the kill is reported once only, and the followers destroy nothing more.
    EntityId spared = attacker_at(0, physics_of(green)->position, player);
    ecs_update_f();
    EXPECT_TRUE(exists(spared));
    EXPECT_FALSE(collide_of(green)->deleted);
    entity_delete(spared);

    i32 stage_tick[5] = {-1, 0, -1, -1, -1};
    i32 green_gone = -1;
    i32 blue_gone = -1;
    f32 scale_98 = 0.0f;
    for (i32 tick = 2; tick <= 260; tick++) {
        i32 before = death_of(player)->stage;
        ecs_update_f();
        i32 after = death_of(player)->stage;
        if (after != before) stage_tick[after] = tick;
        if (green_gone < 0 && !exists(green)) green_gone = tick;
        if (blue_gone < 0 && !exists(blue)) blue_gone = tick;
        const CSprite *sprite = ecs_get_as<CSprite>(player, C_SPRITE);
        // The scale (a later kind than the death) follows a new stage in the same step,
        // the colour change (an earlier kind) from the next one.
        if (tick == 19) {
            EXPECT_EQ(sprite->scale, 1.0f);
        }
        if (tick == 21) {
            EXPECT_LT(sprite->color.y, 1.0f);
            EXPECT_EQ(sprite->color.x, 1.0f);
        }
        if (tick == 98) scale_98 = sprite->scale;
        if (tick == 99) {
            EXPECT_EQ(sprite->scale, 3.0f);
        }
        if (tick == 178) {
            EXPECT_NEAR(sprite->scale, 0.0375f, 1e-5f);
        }
    }
    EXPECT_EQ(stage_tick[2], 19);
    EXPECT_EQ(stage_tick[3], 99);
    EXPECT_EQ(stage_tick[4], 179);
    EXPECT_NEAR(scale_98, 3.9625f, 1e-5f);
    EXPECT_EQ(death_of(player)->stage, 4);
    EXPECT_NEAR(ecs_get_as<CSprite>(player, C_SPRITE)->scale, 0.0375f, 1e-5f);
    EXPECT_NEAR(ecs_get_as<CSprite>(player, C_SPRITE)->color.w, 0.5f / 80.0f, 1e-6f);
    // Both are due in tick 29; the second slides into the first's slot as it goes and is
    // visited one step later.
    EXPECT_EQ(green_gone, 29);
    EXPECT_EQ(blue_gone, 30);
    // The circle still names them; deleting the player deletes what is left without trouble.
    EXPECT_EQ(ecs_get_as<CGyrel>(player, C_GYREL)->objects.count, 2);
    entity_delete(player);
    EXPECT_EQ(ecs_get(player, C_GYREL), nullptr);

    // Missing what stage 0 needs, the timer runs out at once and stage 1 lasts 20 steps.
    EntityId plain = entity_add();
    c_health_set(ecs_add_as<CHealth>(plain, C_HEALTH), 0);
    ecs_add(plain, C_PLAYER_DEATH);
    ecs_update_f();
    EXPECT_EQ(death_of(plain)->stage, 1);
    EXPECT_EQ(death_of(plain)->timer, 20);
    test_ecs_steps(19);
    EXPECT_EQ(death_of(plain)->stage, 1);
    ecs_update_f();
    EXPECT_EQ(death_of(plain)->stage, 2);
}

TEST(GameplayTimeDelete, OnTheNthUpdateAndNeverWhenUnset) {
    reset();
    EntityId timed = entity_add();
    ecs_add(timed, C_SPRITE);
    c_time_delete_set(ecs_add_as<CTimeDelete>(timed, C_TIME_DELETE), 3);
    EntityId waiting = entity_add();
    ecs_add(waiting, C_SPRITE);
    ecs_add(waiting, C_TIME_DELETE);
    test_ecs_steps(2);
    EXPECT_TRUE(exists(timed));
    ecs_update_f();
    EXPECT_FALSE(exists(timed));
    EXPECT_EQ(ecs_get(timed, C_TIME_DELETE), nullptr);
    test_ecs_steps(300);
    EXPECT_TRUE(exists(waiting));
}

TEST(GameplayParticleSpawn, TwoParticlesOrNone) {
    reset();
    EntityId source = entity_add();
    CParticleSpawn *spawn = ecs_add_as<CParticleSpawn>(source, C_PARTICLE_SPAWN);
    EntityId first = game.ecs.entity_count;
    c_particle_spawn(spawn, {100.0f, 200.0f, 0.25f});
    EXPECT_EQ(game.ecs.entity_count, first + 2);
    const CSprite *lil = ecs_get_as<CSprite>(first, C_SPRITE);
    const CSprite *big = ecs_get_as<CSprite>(first + 1, C_SPRITE);
    ASSERT_NE(lil, nullptr);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(lil->size.x, 15.0f);
    EXPECT_EQ(lil->size.y, 15.0f);
    EXPECT_EQ(big->size.x, 30.0f);
    EXPECT_EQ(big->position.x, 100.0f);
    EXPECT_EQ(big->position.y, 200.0f);
    EXPECT_EQ(big->position.z, 0.25f);
    EXPECT_EQ(ecs_get_as<CColorChange>(first, C_COLOR_CHANGE)->base_color.w, 1.0f);
    EXPECT_EQ(ecs_get_as<CColorChange>(first + 1, C_COLOR_CHANGE)->base_color.w, 0.5f);
    for (EntityId p : {first, first + 1}) {
        f32 spin = ecs_get_as<CSpin>(p, C_SPIN)->speed;
        EXPECT_GE(spin, -0.01f);
        EXPECT_LE(spin, 0.01f);
        EXPECT_EQ(ecs_get_as<CTimeDelete>(p, C_TIME_DELETE)->timer, 20);
        EXPECT_EQ(ecs_get_as<CScale>(p, C_SCALE)->scale_delta, 2.0f);
    }

    // One kind a particle needs has room for a single record: no burst at all.
    EntityId filler = entity_add();
    while (ecs_room_get(C_SPIN) > 1) ecs_add(filler, C_SPIN);
    u32 counts[5];
    for (u32 i = 0; i < 5; i++) counts[i] = records_of(PARTICLE_KINDS[i]);
    EntityId next = game.ecs.entity_count;
    c_particle_spawn(spawn, {1.0f, 1.0f, 0.0f});
    EXPECT_EQ(game.ecs.entity_count, next);
    for (u32 i = 0; i < 5; i++) EXPECT_EQ(records_of(PARTICLE_KINDS[i]), counts[i]) << PARTICLE_KINDS[i];

    // Room for exactly two: both are made.
    ecs_delete(filler, C_SPIN);
    ASSERT_EQ(ecs_room_get(C_SPIN), 2u);
    c_particle_spawn(spawn, {1.0f, 1.0f, 0.0f});
    EXPECT_EQ(ecs_room_get(C_SPIN), 0u);
    EXPECT_NE(ecs_get(next, C_SPIN), nullptr);
    EXPECT_NE(ecs_get(next + 1, C_TIME_DELETE), nullptr);

    // With the spin kind full an attacker still builds (its spin is the kind's stand-in
    // record), and a follower's kill with no room left for the burst still destroys it.
    EntityId f = follower_at(4, {500.0f, 500.0f, 0.0f});
    EntityId victim = attacker_at(4, {505.0f, 500.0f, 0.0f}, f);
    u32 sprites = records_of(C_SPRITE);
    ecs_update_f();
    EXPECT_EQ(ecs_get(victim, C_PHYSICS), nullptr);
    EXPECT_TRUE(collide_of(f)->deleted);
    EXPECT_EQ(records_of(C_SPRITE), sprites - 1);
}
