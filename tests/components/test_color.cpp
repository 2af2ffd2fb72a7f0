// Colour changes on sprites and texts, and the background flash through the clear colour.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "components/c_color_change.hpp"
#include "components/c_flash.hpp"
#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "ecs/entity.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec4 WHITE = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec4 CLEAR = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr vec4 GREEN = {0.3f, 1.0f, 0.3f, 1.0f};
constexpr vec4 BLUE = {0.2f, 0.5f, 0.8f, 1.0f};

EntityId tinted_sprite_add(vec4 base, vec4 color, i32 duration, ChangeType type) {
    EntityId entity = entity_add();
    ecs_add(entity, C_SPRITE);
    c_color_change_set(ecs_add_as<CColorChange>(entity, C_COLOR_CHANGE), &base, &color, duration, type);
    return entity;
}

vec4 sprite_color(EntityId entity) { return ecs_get_as<CSprite>(entity, C_SPRITE)->color; }
bool change_done(EntityId entity) { return ecs_get_as<CColorChange>(entity, C_COLOR_CHANGE)->done; }

void expect_near(vec4 actual, vec4 expected) {
    for (i32 i = 0; i < 4; i++) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "channel " << i;
}

CFlash *flash_add() { return ecs_add_as<CFlash>(entity_add(), C_FLASH); }

vec4 gl_clear_color() {
    vec4 color;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, &color[0]);
    return color;
}

} // namespace

TEST(ColorChange, EachTypeOverItsDuration) {
    test_game_reset();
    EntityId button = tinted_sprite_add(WHITE, GREEN, 1, CHANGE_FORWARD_HOLD);
    EntityId logo = tinted_sprite_add(CLEAR, WHITE, 60, CHANGE_FORWARD_HOLD);
    EntityId blink = tinted_sprite_add(BLUE, WHITE, 30, CHANGE_FORWARD_RESET);
    EntityId follower = tinted_sprite_add(GREEN, {1.0f, 1.0f, 1.0f, 0.0f}, 60, CHANGE_BACKWARD_RESET);
    EntityId backward = tinted_sprite_add(CLEAR, WHITE, 4, CHANGE_BACKWARD_HOLD);
    EntityId other = tinted_sprite_add(CLEAR, GREEN, 3, static_cast<ChangeType>(7));
    // The drawn colour is untouched until the next tick.
    EXPECT_EQ(sprite_color(button), WHITE);

    ecs_update_f();
    EXPECT_EQ(sprite_color(button), WHITE);
    EXPECT_TRUE(change_done(button));
    EXPECT_EQ(sprite_color(logo), CLEAR);
    EXPECT_EQ(sprite_color(blink), BLUE);
    EXPECT_EQ(sprite_color(follower), vec4(1.0f, 1.0f, 1.0f, 0.0f));
    EXPECT_EQ(sprite_color(backward), WHITE);
    EXPECT_EQ(sprite_color(other), WHITE);

    test_ecs_steps(2);
    EXPECT_EQ(sprite_color(other), WHITE);
    EXPECT_TRUE(change_done(other));
    ecs_update_f();
    expect_near(sprite_color(backward), vec4(0.25f));
    EXPECT_TRUE(change_done(backward));

    test_ecs_steps(25);
    expect_near(sprite_color(blink), BLUE - (1.0f - 2.0f / 30.0f) * (BLUE - WHITE));
    EXPECT_FALSE(change_done(blink));
    ecs_update_f();
    EXPECT_EQ(sprite_color(blink), BLUE);
    EXPECT_TRUE(change_done(blink));

    test_ecs_steps(29);
    EXPECT_FALSE(change_done(logo));
    EXPECT_LT(sprite_color(follower).a, 1.0f);
    ecs_update_f();
    EXPECT_NEAR(sprite_color(logo).a, 59.0f / 60.0f, 1e-6f);
    EXPECT_TRUE(change_done(logo));
    EXPECT_EQ(sprite_color(follower), GREEN);
    EXPECT_TRUE(change_done(follower));
    ecs_update_f();
    EXPECT_LT(sprite_color(logo).a, 1.0f);
}

TEST(ColorChange, OnlyTheSpriteOfASpriteWithTextAndTheDurationGuard) {
    test_game_reset();
    EntityId both = tinted_sprite_add(CLEAR, WHITE, 10, CHANGE_FORWARD_HOLD);
    ecs_add(both, C_TEXT);
    ecs_update_f();
    EXPECT_EQ(sprite_color(both), CLEAR);
    EXPECT_EQ(ecs_get_as<CText>(both, C_TEXT)->color, WHITE);

    EntityId label = entity_add();
    ecs_add(label, C_TEXT);
    c_color_change_set(ecs_add_as<CColorChange>(label, C_COLOR_CHANGE), &CLEAR, &GREEN, 2, CHANGE_BACKWARD_HOLD);
    ecs_update_f();
    EXPECT_EQ(ecs_get_as<CText>(label, C_TEXT)->color, GREEN);

    EntityId bare = entity_add();
    EXPECT_TRUE(ecs_add_as<CColorChange>(bare, C_COLOR_CHANGE)->done);
    c_color_change_set(ecs_get_as<CColorChange>(bare, C_COLOR_CHANGE), &CLEAR, &GREEN, 2, CHANGE_FORWARD_HOLD);
    test_ecs_steps(3);
    EXPECT_EQ(ecs_get_as<CColorChange>(bare, C_COLOR_CHANGE)->timer, 2);
    EXPECT_FALSE(ecs_get_as<CColorChange>(bare, C_COLOR_CHANGE)->done);

    // A duration below one step behaves as one step instead of dividing by zero.
    EntityId instant = tinted_sprite_add(BLUE, GREEN, 0, CHANGE_FORWARD_RESET);
    EXPECT_EQ(ecs_get_as<CColorChange>(instant, C_COLOR_CHANGE)->duration, 1);
    ecs_update_f();
    EXPECT_EQ(sprite_color(instant), BLUE);
    EXPECT_TRUE(change_done(instant));
}

TEST(ColorFlash, UnsetRecordAndDamagePulse) {
    test_game_reset();
    // A never-set record ends at once on transparent black.
    vec4 grey = {0.5f, 0.5f, 0.5f, 1.0f};
    renderer_clear_color_set(&game.renderer, &grey);
    CFlash *unset = flash_add();
    ecs_update_f();
    EXPECT_EQ(game.renderer.clear_color, CLEAR);
    EXPECT_EQ(gl_clear_color(), CLEAR);
    EXPECT_TRUE(unset->done);
    ecs_clear(C_FLASH);

    // The damage pulse: two negative half-waves (black) among positive ones, the base colour on the 19th tick.
    const vec4 base = {0.1f, 0.2f, 0.3f, 1.0f};
    const vec4 red = {1.0f, 0.0f, 0.0f, 1.0f};
    CFlash *pulse = flash_add();
    c_flash_set(pulse, &base, &red, 18, FLASH_PULSE);
    f32 darkest = 0.0f;
    for (i32 tick = 1; tick <= 18; tick++) {
        ecs_update_f();
        f32 t = static_cast<f32>(19 - tick) / 18.0f;
        f32 strength = static_cast<f32>(std::sin(static_cast<f64>(2.0f * t) * 6.283185307179586));
        ASSERT_EQ(game.renderer.clear_color, red * strength) << "tick " << tick;
        ASSERT_FALSE(pulse->done);
        darkest = std::min(darkest, game.renderer.clear_color.r);
    }
    EXPECT_LT(darkest, -0.8f);
    EXPECT_NEAR(game.renderer.clear_color.r, std::sin(2.0 / 18.0 * 6.283185307179586), 1e-6);
    ecs_update_f();
    EXPECT_EQ(game.renderer.clear_color, base);
    EXPECT_EQ(gl_clear_color(), base);
    EXPECT_TRUE(pulse->done);
    ecs_update_f();
    EXPECT_EQ(game.renderer.clear_color, base);
    vec4 clear = CLEAR;
    renderer_clear_color_set(&game.renderer, &clear);
}
