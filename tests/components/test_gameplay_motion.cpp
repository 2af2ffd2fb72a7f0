// Steering, circling, chasing and the collision lists, driven through the real step.
#include <gtest/gtest.h>

#include <vector>

#include "components/c_chase.hpp"
#include "components/c_circle.hpp"
#include "components/c_circle_collide.hpp"
#include "components/c_control.hpp"
#include "components/c_game_object.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_physics.hpp"
#include "components/c_rotation.hpp"
#include "components/c_sprite.hpp"
#include "ecs/entity.hpp"
#include "entities/e_enemy.hpp"
#include "entities/e_player.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr f32 NEAR = 1e-3f;

void reset() {
    test_game_reset();
    test_resources_load();
}

// A bare body that neither damps nor bounds, so a step shows exactly what was added to it.
CPhysics *body_add(EntityId entity, vec3 position, f32 damping = 1.0f) {
    CPhysics *physics = ecs_add_as<CPhysics>(entity, C_PHYSICS);
    c_physics_set(physics, position, damping, 1000.0f);
    return physics;
}

CPhysics *physics_of(EntityId entity) { return ecs_get_as<CPhysics>(entity, C_PHYSICS); }

EntityId object_add(vec3 position, f32 radius) {
    EntityId entity = entity_add();
    c_game_object_set(ecs_add_as<CGameObject>(entity, C_GAME_OBJECT), game.textures[TEXTURE_ENEMY],
                      SHADER_TEXTURE_QUAD, ORIGIN_CENTER, {10.0f, 10.0f}, position, {1.0f, 1.0f, 1.0f, 1.0f}, 1.0f,
                      100.0f, radius);
    return entity;
}

std::vector<EntityId> collisions_of(EntityId entity) {
    std::vector<EntityId> list;
    const CCircleCollide *collide = ecs_get_as<CCircleCollide>(entity, C_CIRCLE_COLLIDE);
    if (!collide) return list;
    for (i32 i = 0; i < collide->collisions.count; i++) {
        list.push_back(*static_cast<const EntityId *>(vector_get(&collide->collisions, i)));
    }
    return list;
}

} // namespace

TEST(GameplayControl, DeadZoneAndIncrementInNormalizedWindowCoordinates) {
    reset();
    EntityId e = entity_add();
    c_control_set(ecs_add_as<CControl>(e, C_CONTROL), 0.01f, 0.01f);
    body_add(e, {640.0f, 360.0f, 0.0f});

    // On the entity and within the dead zone (3 px is 0.0047 of the half-width): nothing.
    game.mouse.position = {640.0f, 360.0f};
    ecs_update_f();
    EXPECT_EQ(physics_of(e)->velocity.x, 0.0f);
    EXPECT_EQ(physics_of(e)->velocity.y, 0.0f);
    game.mouse.position = {643.0f, 360.0f};
    ecs_update_f();
    EXPECT_EQ(physics_of(e)->velocity.x, 0.0f);
    EXPECT_EQ(physics_of(e)->position.x, 640.0f);

    // 64 px right is 0.1 of the normalized axis: 0.1 / 0.01 = 10 per step, moved at once.
    game.mouse.position = {704.0f, 360.0f};
    ecs_update_f();
    EXPECT_NEAR(physics_of(e)->velocity.x, 10.0f, NEAR);
    EXPECT_NEAR(physics_of(e)->velocity.y, 0.0f, NEAR);
    EXPECT_NEAR(physics_of(e)->position.x, 650.0f, NEAR);

    // 36 px down is also 0.1 (the axes are normalized separately): equal pushes on a diagonal.
    physics_of(e)->position = {640.0f, 360.0f, 0.0f};
    physics_of(e)->velocity = {0.0f, 0.0f, 3.0f};
    game.mouse.position = {704.0f, 396.0f};
    ecs_update_f();
    EXPECT_NEAR(physics_of(e)->velocity.x, 10.0f, NEAR);
    EXPECT_NEAR(physics_of(e)->velocity.y, 10.0f, NEAR);
    EXPECT_EQ(physics_of(e)->velocity.z, 3.0f);

    // Disabled: the velocity is left as it stands.
    ecs_get_as<CControl>(e, C_CONTROL)->disabled = true;
    physics_of(e)->velocity = {1.0f, 2.0f, 0.0f};
    ecs_update_f();
    EXPECT_EQ(physics_of(e)->velocity.x, 1.0f);
    EXPECT_EQ(physics_of(e)->velocity.y, 2.0f);

    // A control without a body does nothing and does not fail.
    c_control_set(ecs_add_as<CControl>(entity_add(), C_CONTROL), 0.01f, 0.01f);
    ecs_update_f();

    // The player: the whole increment moves it in this step, only the carried velocity is bounded.
    EntityId player = entity_add();
    player_init(player, {640.0f, 360.0f, 0.0f});
    game.mouse.position = {704.0f, 360.0f};
    ecs_update_f();
    EXPECT_NEAR(physics_of(player)->position.x, 650.0f, NEAR);
    EXPECT_EQ(physics_of(player)->velocity.x, 5.0f);
}

TEST(GameplayGyrel, EvenSpacingGapsAndOwnership) {
    reset();
    EntityId owner = entity_add();
    body_add(owner, {500.0f, 300.0f, 0.0f});
    CRotation *rotation = ecs_add_as<CRotation>(owner, C_ROTATION);
    rotation->disabled = true;
    rotation->angle = 0.0f;
    CGyrel *gyrel = ecs_add_as<CGyrel>(owner, C_GYREL);
    c_gyrel_set(gyrel, 100.0f);

    EntityId a = entity_add();
    body_add(a, {0.0f, 0.0f, 7.0f});
    c_gyrel_object_add(gyrel, a);
    ecs_update_f();
    // Angle 0 stands to the left of the centre; z is not touched.
    EXPECT_NEAR(physics_of(a)->position.x, 400.0f, NEAR);
    EXPECT_NEAR(physics_of(a)->position.y, 300.0f, NEAR);
    EXPECT_EQ(physics_of(a)->position.z, 7.0f);

    EntityId b = entity_add();
    body_add(b, {0.0f, 0.0f, 0.0f});
    c_gyrel_object_add(ecs_get_as<CGyrel>(owner, C_GYREL), b);
    ecs_update_f();
    EXPECT_NEAR(physics_of(a)->position.x, 400.0f, NEAR);
    EXPECT_NEAR(physics_of(b)->position.x, 600.0f, NEAR);
    EXPECT_NEAR(physics_of(b)->position.y, 300.0f, NEAR);

    // A third member without a body still counts: the one after it stands at 4 pi / 3.
    EntityId ghost = entity_add();
    c_gyrel_object_delete(ecs_get_as<CGyrel>(owner, C_GYREL), b);
    c_gyrel_object_add(ecs_get_as<CGyrel>(owner, C_GYREL), ghost);
    c_gyrel_object_add(ecs_get_as<CGyrel>(owner, C_GYREL), b);
    ecs_update_f();
    EXPECT_NEAR(physics_of(a)->position.x, 400.0f, NEAR);
    EXPECT_NEAR(physics_of(b)->position.x, 550.0f, NEAR);
    EXPECT_NEAR(physics_of(b)->position.y, 213.39746f, NEAR);

    // The centre is the owner's position minus its velocity of this step.
    physics_of(owner)->velocity = {10.0f, -20.0f, 0.0f};
    physics_of(owner)->damping = 0.0f;
    ecs_update_f();
    EXPECT_NEAR(physics_of(a)->position.x, 390.0f, NEAR);
    EXPECT_NEAR(physics_of(a)->position.y, 320.0f, NEAR);

    // Without a rotation nothing moves, and the same without a body.
    physics_of(a)->position = {1.0f, 2.0f, 0.0f};
    ecs_delete(owner, C_ROTATION);
    ecs_update_f();
    EXPECT_EQ(physics_of(a)->position.x, 1.0f);
    ecs_add_as<CRotation>(owner, C_ROTATION)->disabled = true;
    ecs_delete(owner, C_PHYSICS);
    ecs_update_f();
    EXPECT_EQ(physics_of(a)->position.y, 2.0f);

    // Deleting the owner deletes every listed member.
    entity_delete(owner);
    EXPECT_EQ(physics_of(a), nullptr);
    EXPECT_EQ(physics_of(b), nullptr);
    EXPECT_EQ(ecs_get(owner, C_GYREL), nullptr);

    // A cleared list leaves its former members where they are.
    EntityId owner2 = entity_add();
    body_add(owner2, {500.0f, 300.0f, 0.0f});
    ecs_add_as<CRotation>(owner2, C_ROTATION)->disabled = true;
    CGyrel *gyrel2 = ecs_add_as<CGyrel>(owner2, C_GYREL);
    c_gyrel_set(gyrel2, 100.0f);
    EntityId c = entity_add();
    body_add(c, {0.0f, 0.0f, 0.0f});
    c_gyrel_object_add(gyrel2, c);
    ecs_update_f();
    vec3 placed = physics_of(c)->position;
    c_gyrel_object_clear(ecs_get_as<CGyrel>(owner2, C_GYREL));
    ecs_get_as<CRotation>(owner2, C_ROTATION)->angle = 1.0f;
    ecs_update_f();
    EXPECT_EQ(physics_of(c)->position.x, placed.x);
    EXPECT_EQ(physics_of(c)->position.y, placed.y);
    entity_delete(owner2);
    EXPECT_NE(physics_of(c), nullptr);
}

TEST(GameplayChase, FixedPushLostTargetAndSamePlace) {
    reset();
    EntityId target = entity_add();
    body_add(target, {100.0f, 0.0f, 0.0f});
    EntityId chaser = entity_add();
    enemy_init(chaser, target, 0, {0.0f, 0.0f, 0.0f}, 0.5f);
    ecs_update_f();
    // Pushed 0.5 toward the target, then damped by 0.95.
    EXPECT_NEAR(physics_of(chaser)->velocity.x, 0.475f, 1e-6f);
    EXPECT_NEAR(physics_of(chaser)->velocity.y, 0.0f, 1e-6f);

    // With the target gone it coasts and slows.
    entity_delete(target);
    ecs_update_f();
    EXPECT_NEAR(physics_of(chaser)->velocity.x, 0.475f * 0.95f, 1e-6f);

    // On the target's very spot, and chasing itself: atan2(0, 0) is 0, so the push is toward -x.
    EntityId spot = entity_add();
    body_add(spot, {300.0f, 300.0f, 0.0f});
    EntityId on_spot = entity_add();
    enemy_init(on_spot, spot, 1, {300.0f, 300.0f, 0.0f}, 0.5f);
    EntityId selfish = entity_add();
    enemy_init(selfish, selfish, 2, {900.0f, 600.0f, 0.0f}, 0.5f);
    ecs_update_f();
    EXPECT_NEAR(physics_of(on_spot)->velocity.x, -0.475f, 1e-6f);
    EXPECT_EQ(physics_of(on_spot)->velocity.y, 0.0f);
    EXPECT_NEAR(physics_of(selfish)->velocity.x, -0.475f, 1e-6f);

    // Running straight it settles at 19 times its acceleration (damping 0.95).
    EntityId far = entity_add();
    body_add(far, {1.0e6f, 0.0f, 0.0f});
    EntityId runner = entity_add();
    enemy_init(runner, far, 0, {0.0f, 0.0f, 0.0f}, 0.5f);
    test_ecs_steps(400);
    EXPECT_NEAR(physics_of(runner)->velocity.x, 9.5f, 1e-3f);
}

TEST(GameplayCircleCollide, TouchingIsNotOverlappingAndBodiesAreNeeded) {
    reset();
    EntityId small = object_add({100.0f, 100.0f, 0.0f}, 20.0f);
    EntityId big = object_add({150.0f, 100.0f, 0.0f}, 30.0f);
    EntityId bodiless = entity_add();
    c_circle_set(ecs_add_as<CCircle>(bodiless, C_CIRCLE), 100.0f);
    ecs_add(bodiless, C_CIRCLE_COLLIDE);

    ecs_update_f();
    EXPECT_TRUE(collisions_of(small).empty());
    EXPECT_TRUE(collisions_of(big).empty());
    EXPECT_TRUE(collisions_of(bodiless).empty());

    physics_of(big)->position.x = 149.9f;
    ecs_update_f();
    EXPECT_EQ(collisions_of(small), std::vector<EntityId>{big});
    EXPECT_EQ(collisions_of(big), std::vector<EntityId>{small});
    EXPECT_TRUE(collisions_of(bodiless).empty());

    // The list holds the overlaps in circle storage order and is rebuilt every step.
    EntityId third = object_add({110.0f, 105.0f, 5.0f}, 1.0f);
    ecs_update_f();
    EXPECT_EQ(collisions_of(small), (std::vector<EntityId>{big, third}));
    physics_of(big)->position.x = 400.0f;
    ecs_update_f();
    EXPECT_EQ(collisions_of(small), std::vector<EntityId>{third});
}

TEST(GameplayGameObject, SpriteShowsTheBodyOfThePreviousStep) {
    reset();
    EntityId e = object_add({10.0f, 20.0f, 0.5f}, 5.0f);
    const CSprite *sprite = ecs_get_as<CSprite>(e, C_SPRITE);
    EXPECT_EQ(sprite->position.x, 10.0f);
    EXPECT_EQ(sprite->position.z, 0.5f);
    EXPECT_EQ(ecs_get_as<CCircle>(e, C_CIRCLE)->radius, 5.0f);
    physics_of(e)->velocity = {5.0f, 0.0f, 0.0f};
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CSprite>(e, C_SPRITE)->position.x, 10.0f);
    EXPECT_EQ(physics_of(e)->position.x, 15.0f);
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CSprite>(e, C_SPRITE)->position.x, 15.0f);

    // Without a body the sprite stays where it was put.
    EntityId still = entity_add();
    ecs_add(still, C_GAME_OBJECT);
    CSprite *lone = ecs_add_as<CSprite>(still, C_SPRITE);
    c_sprite_set(lone, game.textures[TEXTURE_ENEMY], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, {4.0f, 4.0f},
                 {1.0f, 1.0f, 1.0f, 1.0f}, {3.0f, 4.0f, 0.0f});
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CSprite>(still, C_SPRITE)->position.x, 3.0f);
}
