// Physics, move, rotation and spin over fixed steps, and the sprite's own rotation wrap.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "components/c_move.hpp"
#include "components/c_physics.hpp"
#include "components/c_rotation.hpp"
#include "components/c_spin.hpp"
#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "ecs/entity.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

CSprite *sprite_add(EntityId entity) {
    CSprite *sprite = ecs_add_as<CSprite>(entity, C_SPRITE);
    c_sprite_set(sprite, Texture{}, 0, ORIGIN_CENTER, {10.0f, 10.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f});
    return sprite;
}

vec3 sprite_position(EntityId entity) { return ecs_get_as<CSprite>(entity, C_SPRITE)->position; }

void expect_near(vec3 actual, vec3 expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

// Holds a key for this step and the previous one, so it counts as held.
void key_hold(u32 scancode) {
    game.keyboard.current[scancode] = 1;
    game.keyboard.previous[scancode] = 1;
}

CRotation *rotation_add(f32 angle, f32 speed, f32 acceleration, f32 speed_max, f32 damping) {
    CRotation *rotation = ecs_add_as<CRotation>(entity_add(), C_ROTATION);
    c_rotation_set(rotation, acceleration, speed_max, damping);
    rotation->angle = angle;
    rotation->speed = speed;
    return rotation;
}

} // namespace

TEST(MotionPhysics, BoundAppliesAfterThePositionStep) {
    test_game_reset();
    CPhysics *physics = ecs_add_as<CPhysics>(entity_add(), C_PHYSICS);
    c_physics_set(physics, {1.0f, 2.0f, 0.0f}, 0.7f, 5.0f);
    physics->velocity = {10.0f, -10.0f, 4.0f};
    ecs_update_f();
    EXPECT_FLOAT_EQ(physics->position.x, 11.0f);
    EXPECT_FLOAT_EQ(physics->position.y, -8.0f);
    EXPECT_FLOAT_EQ(physics->position.z, 4.0f);
    EXPECT_FLOAT_EQ(physics->velocity.x, 5.0f);
    EXPECT_FLOAT_EQ(physics->velocity.y, -5.0f);
    EXPECT_FLOAT_EQ(physics->velocity.z, 4.0f * 0.7f);
    ecs_update_f();
    EXPECT_FLOAT_EQ(physics->position.x, 16.0f);
    EXPECT_FLOAT_EQ(physics->velocity.x, 3.5f);
}

TEST(MotionMove, TheThreeTypesOverThreeSteps) {
    test_game_reset();
    const vec3 base = {0.0f, 0.0f, 0.0f};
    const vec3 target = {30.0f, 60.0f, 0.3f};
    const vec3 third = {10.0f, 20.0f, 0.1f};
    const vec3 two_thirds = {20.0f, 40.0f, 0.2f};

    EntityId forward_reset = entity_add();
    EntityId backward_reset = entity_add();
    EntityId forward_hold = entity_add();
    for (EntityId entity : {forward_reset, backward_reset, forward_hold}) sprite_add(entity);
    c_move_set(ecs_add_as<CMove>(forward_reset, C_MOVE), base, target, 3, CHANGE_FORWARD_RESET);
    c_move_set(ecs_add_as<CMove>(backward_reset, C_MOVE), base, target, 3, CHANGE_BACKWARD_RESET);
    c_move_set(ecs_add_as<CMove>(forward_hold, C_MOVE), base, target, 3, CHANGE_FORWARD_HOLD);

    ecs_update_f();
    expect_near(sprite_position(forward_reset), base);
    expect_near(sprite_position(backward_reset), target);
    expect_near(sprite_position(forward_hold), base);
    ecs_update_f();
    expect_near(sprite_position(forward_reset), third);
    expect_near(sprite_position(backward_reset), two_thirds);
    expect_near(sprite_position(forward_hold), third);
    ecs_update_f();
    // The reset types end exactly on the base point; the hold type stops short of the target.
    EXPECT_EQ(sprite_position(forward_reset), base);
    EXPECT_EQ(sprite_position(backward_reset), base);
    expect_near(sprite_position(forward_hold), two_thirds);
    for (EntityId entity : {forward_reset, backward_reset, forward_hold}) {
        EXPECT_TRUE(ecs_get_as<CMove>(entity, C_MOVE)->done);
    }
    ecs_update_f();
    expect_near(sprite_position(forward_hold), two_thirds);
}

TEST(MotionMove, WaitsWithoutADrawableAndFallsBackToText) {
    test_game_reset();
    EntityId entity = entity_add();
    CMove *move = ecs_add_as<CMove>(entity, C_MOVE);
    EXPECT_TRUE(move->done);
    c_move_set(move, {0.0f, 0.0f, 0.0f}, {30.0f, 0.0f, 0.0f}, 3, CHANGE_FORWARD_HOLD);
    test_ecs_steps(5);
    move = ecs_get_as<CMove>(entity, C_MOVE);
    EXPECT_EQ(move->timer, 3);
    EXPECT_FALSE(move->done);

    // A text alone is moved; with both a sprite and a text only the sprite is.
    CText *text = ecs_add_as<CText>(entity, C_TEXT);
    text->position = {5.0f, 5.0f, 0.0f};
    test_ecs_steps(2);
    EXPECT_NEAR(ecs_get_as<CText>(entity, C_TEXT)->position.x, 10.0f, 1e-4f);
    sprite_add(entity);
    ecs_update_f();
    EXPECT_NEAR(sprite_position(entity).x, 20.0f, 1e-4f);
    EXPECT_NEAR(ecs_get_as<CText>(entity, C_TEXT)->position.x, 10.0f, 1e-4f);
    ecs_delete(entity, C_TEXT);

    // A duration below one step behaves as one step instead of dividing by zero.
    c_move_set(ecs_get_as<CMove>(entity, C_MOVE), {7.0f, 8.0f, 0.0f}, {30.0f, 0.0f, 0.0f}, 0, CHANGE_FORWARD_HOLD);
    EXPECT_EQ(ecs_get_as<CMove>(entity, C_MOVE)->duration, 1);
    ecs_update_f();
    EXPECT_EQ(sprite_position(entity), vec3(7.0f, 8.0f, 0.0f));
    EXPECT_TRUE(ecs_get_as<CMove>(entity, C_MOVE)->done);
}

TEST(MotionRotation, WrapsToTheBoundaryAndKeysDriveTheSpeed) {
    test_game_reset();
    // The wrap replaces the angle by the boundary and drops the remainder.
    CRotation *over = rotation_add(6.27f, 0.05f, 0.0f, 1.0f, 1.0f);
    ecs_update_f();
    EXPECT_EQ(over->angle, 0.0f);
    ecs_clear(C_ROTATION);
    CRotation *under = rotation_add(0.01f, -0.05f, 0.0f, 1.0f, 1.0f);
    ecs_update_f();
    EXPECT_EQ(under->angle, PI2_F32);
    // The float 2π lies just above the double 2π, so even at rest it wraps on the next step.
    under->speed = 0.0f;
    ecs_update_f();
    EXPECT_EQ(under->angle, 0.0f);
    ecs_clear(C_ROTATION);

    // A new record with the player's settings: the initial -2.5 is bounded to -0.05 on the first step.
    CRotation *player = ecs_add_as<CRotation>(entity_add(), C_ROTATION);
    c_rotation_set(player, 0.0025f, 0.05f, 0.975f);
    ecs_update_f();
    EXPECT_EQ(player->speed, -0.05f);
    EXPECT_FLOAT_EQ(player->angle, 1.5707964f - 0.05f);
    ecs_clear(C_ROTATION);

    CRotation *rotation = rotation_add(1.0f, 0.02f, 0.0025f, 0.05f, 0.975f);
    // The first step of a press does not count.
    game.keyboard.current[SDL_SCANCODE_A] = 1;
    ecs_update_f();
    EXPECT_FLOAT_EQ(rotation->speed, 0.02f * 0.975f);
    rotation->speed = 0.02f;
    key_hold(SDL_SCANCODE_LEFT);
    ecs_update_f();
    EXPECT_FLOAT_EQ(rotation->speed, (0.02f + 0.0025f) * 0.975f);
    game.keyboard = {};
    rotation->speed = 0.02f;
    key_hold(SDL_SCANCODE_D);
    ecs_update_f();
    EXPECT_FLOAT_EQ(rotation->speed, (0.02f - 0.0025f) * 0.975f);
    rotation->speed = 0.02f;
    key_hold(SDL_SCANCODE_A);
    key_hold(SDL_SCANCODE_RIGHT);
    ecs_update_f();
    EXPECT_FLOAT_EQ(rotation->speed, 0.02f * 0.975f);

    // A disabled rotation ignores the keys and keeps angle and speed.
    rotation->disabled = true;
    rotation->speed = 0.03f;
    rotation->angle = 2.0f;
    game.keyboard = {};
    key_hold(SDL_SCANCODE_LEFT);
    test_ecs_steps(3);
    EXPECT_EQ(rotation->speed, 0.03f);
    EXPECT_EQ(rotation->angle, 2.0f);
    game.keyboard = {};
}

TEST(MotionSpin, SpinThenSpriteWrapInTheSameStep) {
    test_game_reset();
    EntityId a = entity_add();
    EntityId b = entity_add();
    EntityId c = entity_add();
    for (EntityId entity : {a, b, c}) sprite_add(entity);
    EXPECT_EQ(ecs_get_as<CSprite>(a, C_SPRITE)->rotation, 0.0f);
    EXPECT_EQ(ecs_get_as<CSprite>(a, C_SPRITE)->scale, 1.0f);
    ecs_get_as<CSprite>(a, C_SPRITE)->rotation = 7.0f;
    ecs_get_as<CSprite>(b, C_SPRITE)->rotation = -0.5f;
    ecs_get_as<CSprite>(c, C_SPRITE)->rotation = 3.0f;
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CSprite>(a, C_SPRITE)->rotation, 0.0f);
    EXPECT_EQ(ecs_get_as<CSprite>(b, C_SPRITE)->rotation, 6.2831855f);
    EXPECT_EQ(ecs_get_as<CSprite>(c, C_SPRITE)->rotation, 3.0f);
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CSprite>(b, C_SPRITE)->rotation, 0.0f);

    // Spin runs before the sprite: 6.0 + 0.5 passes 2π and is wrapped within the step.
    c_spin_set(ecs_add_as<CSpin>(c, C_SPIN), 0.5f);
    ecs_add(entity_add(), C_SPIN);
    ecs_get_as<CSprite>(c, C_SPRITE)->rotation = 6.0f;
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CSprite>(c, C_SPRITE)->rotation, 0.0f);
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CSprite>(c, C_SPRITE)->rotation, 0.5f);
}
