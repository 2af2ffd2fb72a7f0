// Late levels with every kind driven to its last record: nothing overfills, nothing is
// built by halves, and the game still goes back to the menu cleanly.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "components/c_color_collide_delete.hpp"
#include "components/c_damage.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "ecs/entity.hpp"
#include "entities/e_particle.hpp"
#include "tests/robust/robust_drive.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr u32 SATURATION_LEVEL = 40;
constexpr i32 SATURATION_STEPS = 2000;
// An attacker every step at first fills the kinds sooner than the game's floor of 5 steps.
constexpr i32 SATURATION_RAMP_STEPS = 300;
constexpr i32 SATURATION_CHECK_EVERY = 25;
// Hits are let through for a few steps now and then, so full kinds also meet clears
// that burst up to 64 attackers into particles.
constexpr i32 SATURATION_HIT_EVERY = 500;
constexpr i32 SATURATION_HIT_STEPS = 40;

constexpr u32 ATTACKER_KINDS[] = {C_GAME_OBJECT, C_CHASE,   C_SPIN,   C_COLOR,  C_CONTACT_DAMAGE, C_PARTICLE_SPAWN,
                                  C_PHYSICS,     C_SPRITE, C_CIRCLE, C_CIRCLE_COLLIDE};

void play_enter_at_level(u32 level) {
    game.state = GAME_STATE_PLAY;
    game.paused = false;
    test_stdout_begin();
    game_state_data_init();
    game_state_init();
    test_stdout_end();
    while (game.play.level < level) play_level_increment(&game.play);
    // Straight to the attackers: the help message is not what is under test.
    game.play.message_timer = 1;
}

void followers_strike(bool strike) {
    const CGyrel *gyrel = ecs_get_as<CGyrel>(game.play.player, C_GYREL);
    if (!gyrel) return;
    for (i32 i = 0; i < gyrel->objects.count; i++) {
        EntityId follower = *static_cast<const EntityId *>(vector_get(&gyrel->objects, i));
        if (auto *collide = ecs_get_as<CColorCollideDelete>(follower, C_COLOR_COLLIDE_DELETE)) collide->disabled = !strike;
    }
}

class Saturation : public ::testing::Test {
protected:
    void SetUp() override {
        test_game_reset();
        test_resources_free();
        std::srand(4242);
        menu_counts = robust_menu_reference();
    }

    void TearDown() override {
        test_stdout_begin();
        robust_game_end();
        test_stdout_end();
        test_game_reset();
    }

    std::string menu_counts;
};

TEST_F(Saturation, FullKindsAtLevelFortyStayWholeAndTheGameReturnsToTheMenu) {
    play_enter_at_level(SATURATION_LEVEL);
    ASSERT_EQ(game.play.level, SATURATION_LEVEL);

    u32 most_sprites = 0;
    u32 most_circles = 0;
    u32 steps_at_full = 0;
    RobustInput input = {};
    for (i32 step = 0; step < SATURATION_STEPS; step++) {
        CHealth *health = ecs_get_as<CHealth>(game.play.player, C_HEALTH);
        ASSERT_NE(health, nullptr);
        health->value = 3;
        const bool hits_allowed = step % SATURATION_HIT_EVERY < SATURATION_HIT_STEPS && step > SATURATION_HIT_EVERY;
        if (!hits_allowed) {
            if (CDamage *damage = ecs_get_as<CDamage>(game.play.player, C_DAMAGE)) damage->cooldown = 2;
        }
        // The followers only strike in the same windows, so the crowd can build up between them.
        followers_strike(hits_allowed);
        // The pointer circles the field so the followers sweep through the crowd.
        const f32 angle = static_cast<f32>(step) * 0.01f;
        input.mouse = {640.0f + 300.0f * std::cos(angle), 360.0f + 200.0f * std::sin(angle)};
        input.left = (step / 97) % 3 == 0;
        input.right = (step / 97) % 3 == 1;
        if (step < SATURATION_RAMP_STEPS) game.play.spawn_timer = 1;
        robust_step(input);
        ASSERT_EQ(game.state, GAME_STATE_PLAY) << "at step " << step;

        most_sprites = std::max(most_sprites, static_cast<u32>(game.ecs.registers[C_SPRITE].records.count));
        most_circles = std::max(most_circles, static_cast<u32>(game.ecs.registers[C_CIRCLE].records.count));
        // Full: no room left for a whole attacker and its warning (two sprites).
        const bool full = ecs_room_get(C_SPRITE) < 2 ||
                          std::any_of(std::begin(ATTACKER_KINDS), std::end(ATTACKER_KINDS),
                                      [](u32 kind) { return ecs_room_get(kind) == 0; });
        if (full) steps_at_full++;

        if (step % SATURATION_CHECK_EVERY == 0) {
            ASSERT_EQ(robust_records_check(), "") << "at step " << step << ": " << robust_kind_counts();
        }
        if (step % 200 == 0) test_frame_draw();
    }
    ASSERT_EQ(robust_records_check(), "");
    // The run only proves something if the kinds really were full for a long while.
    EXPECT_EQ(most_sprites, ECS_RECORD_CAPACITY);
    EXPECT_GE(most_circles, 200u);
    EXPECT_GT(steps_at_full, 1000u) << robust_kind_counts();

    test_stdout_begin();
    const bool lost = robust_play_lose(2000);
    const bool left = robust_results_leave(100);
    test_stdout_end();
    ASSERT_TRUE(lost) << robust_kind_counts();
    ASSERT_TRUE(left);
    EXPECT_EQ(robust_kind_counts(), menu_counts);
    EXPECT_EQ(robust_records_check(), "");
}

// Kinds filled to the brim before play begins: the player, its first follower and the texts
// still come out whole or the attackers wait, and freeing the scene drops everything.
TEST_F(Saturation, PreFilledKindsNeverYieldHalfAttackers) {
    play_enter_at_level(SATURATION_LEVEL);
    // Long-lived particles take all but a few sprites, so attackers, warnings and bursts
    // compete for the last records from the start.
    while (ecs_room_get(C_SPRITE) > 7) {
        particle_init(entity_add(), {100.0f, 100.0f, 0.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 0.0f},
                      {8.0f, 8.0f}, 1.0f, 0.0f, 1000000);
    }
    const u32 entities_before = game.ecs.entity_count;
    u32 least_sprite_room = ECS_RECORD_CAPACITY;
    RobustInput input = {};
    input.mouse = {640.0f, 360.0f};
    for (i32 step = 0; step < 1500; step++) {
        if (CHealth *health = ecs_get_as<CHealth>(game.play.player, C_HEALTH)) health->value = 3;
        // Hits now and then burst attackers into particles that must find room too.
        if (step % 500 >= 10 || step < 500) {
            if (CDamage *damage = ecs_get_as<CDamage>(game.play.player, C_DAMAGE)) damage->cooldown = 2;
        }
        followers_strike(step % 250 < 20);
        robust_step(input);
        least_sprite_room = std::min(least_sprite_room, ecs_room_get(C_SPRITE));
        if (step % SATURATION_CHECK_EVERY == 0) {
            ASSERT_EQ(robust_records_check(), "") << "at step " << step << ": " << robust_kind_counts();
        }
        for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
            ASSERT_LE(static_cast<u32>(game.ecs.registers[kind].records.count), ECS_RECORD_CAPACITY);
        }
    }
    // Attackers came and went, and the sprites ran out under them.
    EXPECT_GT(game.ecs.entity_count, entities_before + 10) << robust_kind_counts();
    EXPECT_LE(least_sprite_room, 1u) << robust_kind_counts();
    test_stdout_begin();
    const bool lost = robust_play_lose(2000);
    test_stdout_end();
    ASSERT_TRUE(lost);
    EXPECT_EQ(robust_records_check(), "");
}

} // namespace
