// Timed scale changes and the sine pulsation, tick by tick.
#include <gtest/gtest.h>

#include <cmath>

#include "components/c_pulsate.hpp"
#include "components/c_scale.hpp"
#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "ecs/entity.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

EntityId scaled_sprite_add(f32 base, f32 delta, i32 duration, ChangeType type) {
    EntityId entity = entity_add();
    ecs_add(entity, C_SPRITE);
    c_scale_set(ecs_add_as<CScale>(entity, C_SCALE), base, delta, duration, type);
    return entity;
}

f32 sprite_scale(EntityId entity) { return ecs_get_as<CSprite>(entity, C_SPRITE)->scale; }
bool scale_done(EntityId entity) { return ecs_get_as<CScale>(entity, C_SCALE)->done; }

// The pulsation as the player sees it: double precision, narrowed once.
f32 pulse_expected(f32 base, f32 amplitude, i32 timer, i32 period) {
    f32 t = static_cast<f32>(timer) / static_cast<f32>(period);
    return static_cast<f32>(static_cast<f64>(amplitude) * std::sin(static_cast<f64>(t) * 6.283185307179586) +
                            static_cast<f64>(base));
}

} // namespace

TEST(ScaleChange, EachTypeOverItsDuration) {
    test_game_reset();
    EntityId grow = scaled_sprite_add(1.0f, -1.0f, 30, CHANGE_BACKWARD_RESET);
    EntityId swell = scaled_sprite_add(1.0f, 2.0f, 30, CHANGE_FORWARD_RESET);
    EntityId shrink = scaled_sprite_add(3.0f, -3.0f, 80, CHANGE_FORWARD_HOLD);
    EntityId settle = scaled_sprite_add(1.0f, 1.0f, 4, CHANGE_BACKWARD_HOLD);
    EntityId other = scaled_sprite_add(1.0f, 1.0f, 5, static_cast<ChangeType>(7));
    ecs_get_as<CSprite>(other, C_SPRITE)->scale = 1.7f;
    // Nothing is written before the next tick.
    EXPECT_EQ(sprite_scale(grow), 1.0f);

    ecs_update_f();
    EXPECT_EQ(sprite_scale(grow), 0.0f);
    EXPECT_EQ(sprite_scale(swell), 1.0f);
    EXPECT_EQ(sprite_scale(shrink), 3.0f);
    EXPECT_EQ(sprite_scale(settle), 2.0f);
    EXPECT_EQ(sprite_scale(other), 1.7f);

    test_ecs_steps(3);
    EXPECT_FLOAT_EQ(sprite_scale(settle), 1.25f);
    EXPECT_TRUE(scale_done(settle));
    test_ecs_steps(1);
    EXPECT_EQ(sprite_scale(other), 1.7f);
    EXPECT_TRUE(scale_done(other));

    test_ecs_steps(24);
    EXPECT_FALSE(scale_done(swell));
    EXPECT_NEAR(sprite_scale(swell), 1.0f + 2.0f * (1.0f - 2.0f / 30.0f), 1e-5f);
    EXPECT_NEAR(sprite_scale(grow), 28.0f / 30.0f, 1e-5f);
    ecs_update_f();
    EXPECT_EQ(sprite_scale(swell), 1.0f);
    EXPECT_EQ(sprite_scale(grow), 1.0f);
    EXPECT_TRUE(scale_done(swell));
    EXPECT_TRUE(scale_done(grow));

    test_ecs_steps(49);
    EXPECT_FALSE(scale_done(shrink));
    ecs_update_f();
    EXPECT_NEAR(sprite_scale(shrink), 0.0375f, 1e-5f);
    EXPECT_TRUE(scale_done(shrink));
    test_ecs_steps(2);
    EXPECT_NEAR(sprite_scale(shrink), 0.0375f, 1e-5f);
    EXPECT_FLOAT_EQ(sprite_scale(settle), 1.25f);
}

TEST(ScaleChange, DrivesTheSpriteBeforeTheTextAndWaitsForEither) {
    test_game_reset();
    EntityId label = entity_add();
    ecs_add(label, C_TEXT);
    c_scale_set(ecs_add_as<CScale>(label, C_SCALE), 1.0f, 1.5f, 16, CHANGE_BACKWARD_RESET);
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CText>(label, C_TEXT)->scale, 2.5f);
    test_ecs_steps(15);
    EXPECT_EQ(ecs_get_as<CText>(label, C_TEXT)->scale, 1.0f);
    EXPECT_TRUE(ecs_get_as<CScale>(label, C_SCALE)->done);

    EntityId both = entity_add();
    ecs_add(both, C_SPRITE);
    ecs_add(both, C_TEXT);
    c_scale_set(ecs_add_as<CScale>(both, C_SCALE), 2.0f, 1.0f, 3, CHANGE_FORWARD_HOLD);
    ecs_update_f();
    EXPECT_EQ(sprite_scale(both), 2.0f);
    EXPECT_EQ(ecs_get_as<CText>(both, C_TEXT)->scale, 1.0f);

    EntityId bare = entity_add();
    c_scale_set(ecs_add_as<CScale>(bare, C_SCALE), 1.0f, 1.0f, 3, CHANGE_FORWARD_HOLD);
    test_ecs_steps(4);
    EXPECT_EQ(ecs_get_as<CScale>(bare, C_SCALE)->timer, 3);
    EXPECT_FALSE(ecs_get_as<CScale>(bare, C_SCALE)->done);

    // A duration below one step behaves as one step instead of dividing by zero.
    EntityId instant = scaled_sprite_add(1.5f, 1.0f, 0, CHANGE_FORWARD_HOLD);
    EXPECT_EQ(ecs_get_as<CScale>(instant, C_SCALE)->duration, 1);
    ecs_update_f();
    EXPECT_EQ(sprite_scale(instant), 1.5f);
    EXPECT_TRUE(scale_done(instant));
}

TEST(ScalePulsate, CyclesFromTheTickAfterTheSet) {
    test_game_reset();
    EntityId player = entity_add();
    ecs_add(player, C_SPRITE);
    c_pulsate_set(ecs_add_as<CPulsate>(player, C_PULSATE), 1.0f, 0.1f, 20);
    for (i32 tick = 1; tick <= 45; tick++) {
        ecs_update_f();
        i32 timer = 20 - (tick - 1) % 20;
        f32 expected = timer == 1 ? 1.0f : pulse_expected(1.0f, 0.1f, timer, 20);
        ASSERT_EQ(sprite_scale(player), expected) << "tick " << tick;
        if (tick % 20 == 1) {
            EXPECT_EQ(sprite_scale(player), 1.0f) << "tick " << tick;
        }
        if (tick == 6) {
            EXPECT_NEAR(sprite_scale(player), 0.9f, 1e-6f);
        }
        if (tick == 20) {
            EXPECT_EQ(ecs_get_as<CPulsate>(player, C_PULSATE)->timer, 20);
        }
    }
    // The first half of a cycle dips below the base scale.
    EXPECT_LT(sprite_scale(player), 1.0f);

    // Without a sprite, or stopped, the pulsation does not advance.
    CPulsate *pulsate = ecs_get_as<CPulsate>(player, C_PULSATE);
    i32 timer = pulsate->timer;
    ecs_delete(player, C_SPRITE);
    test_ecs_steps(3);
    EXPECT_EQ(ecs_get_as<CPulsate>(player, C_PULSATE)->timer, timer);
    ecs_add(player, C_SPRITE);
    ecs_get_as<CPulsate>(player, C_PULSATE)->done = true;
    test_ecs_steps(3);
    EXPECT_EQ(ecs_get_as<CPulsate>(player, C_PULSATE)->timer, timer);
    EXPECT_EQ(sprite_scale(player), 1.0f);

    // A period below one step behaves as one step: every tick ends on the base scale.
    c_pulsate_set(ecs_get_as<CPulsate>(player, C_PULSATE), 2.0f, 0.5f, 0);
    ecs_get_as<CPulsate>(player, C_PULSATE)->done = false;
    test_ecs_steps(2);
    EXPECT_EQ(sprite_scale(player), 2.0f);
    EXPECT_EQ(ecs_get_as<CPulsate>(player, C_PULSATE)->period, 1);
}
