// The play scene driven step by step with the real components, resources and input records.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <set>
#include <string>

#include "components/c_color.hpp"
#include "components/c_color_change.hpp"
#include "components/c_damage.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "components/c_physics.hpp"
#include "components/c_player_death.hpp"
#include "components/c_sprite.hpp"
#include "components/c_stun.hpp"
#include "components/c_text.hpp"
#include "ecs/entity.hpp"
#include "entities/e_enemy.hpp"
#include "game/game.hpp"
#include "game/game_pause.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec2 CENTER = {640.0f, 360.0f};

// One fixed step as the main loop runs it, with the keys the test holds down in this step.
void step(std::initializer_list<u32> keys = {}) {
    std::memcpy(game.keyboard.previous, game.keyboard.current, sizeof game.keyboard.current);
    std::memset(game.keyboard.current, 0, sizeof game.keyboard.current);
    for (u32 key : keys) game.keyboard.current[key] = 1;
    std::memcpy(game.mouse.previous, game.mouse.current, sizeof game.mouse.current);
    game.mouse.position = CENTER;
    game_state_update_f();
    if (!game.paused) ecs_update_f();
}

void play_start(unsigned seed = 7) {
    test_game_reset();
    // Enter play as the game does, with its own resource set: changes of state free and
    // load slots without checking them, so slots loaded beforehand would leak.
    test_resources_free();
    std::srand(seed);
    game.mouse.position = CENTER;
    game.state = GAME_STATE_PLAY;
    test_stdout_begin();
    game_state_data_init();
    test_stdout_end();
    game_state_init();
}

// Skips the help phase so a test can send attackers when it wants.
void play_spawning_start() {
    game.play.message_showing = false;
    game.play.spawning = true;
    game.play.spawn_timer = 1000;
}

// Runs only the scene's update with the spawn timer run out: exactly one attacker is sent.
EntityId attacker_send() {
    game.play.spawn_timer = 1;
    EntityId next = game.ecs.entity_count;
    play_update_f(&game.play);
    EXPECT_EQ(game.ecs.entity_count, next + 2);
    return next;
}

EntityId enemy_last() {
    return *static_cast<EntityId *>(vector_get(&game.play.enemies, game.play.enemies.count - 1));
}

i32 draw() { return std::rand() % 32768; }

std::string text_of(EntityId entity) {
    const CText *text = ecs_get_as<CText>(entity, C_TEXT);
    return text ? std::string(text->string, static_cast<size_t>(text->length)) : std::string("<none>");
}

i32 followers_count() { return ecs_get_as<CGyrel>(game.play.player, C_GYREL)->objects.count; }

EntityId follower_get(i32 i) {
    return *static_cast<EntityId *>(vector_get(&ecs_get_as<CGyrel>(game.play.player, C_GYREL)->objects, i));
}

void physics_move(EntityId entity, vec2 position) {
    CPhysics *physics = ecs_get_as<CPhysics>(entity, C_PHYSICS);
    ASSERT_NE(physics, nullptr);
    physics->position = {position.x, position.y, 0.0f};
    physics->velocity = {0.0f, 0.0f, 0.0f};
}

// Steps until the player has lost a health point; true if it happened within the bound.
bool hit_wait(i32 health_before) {
    for (i32 i = 0; i < 20; i++) {
        step();
        if (ecs_get_as<CHealth>(game.play.player, C_HEALTH)->value < health_before) return true;
    }
    return false;
}

bool alive(EntityId entity) { return ecs_get(entity, C_PHYSICS) != nullptr; }

} // namespace

TEST(ScenePlay, InitBuildsPlayerFollowerAndTexts) {
    play_start();
    EXPECT_EQ(game.play.level, 1u);
    EXPECT_EQ(game.play.level_timer, 1200);
    EXPECT_EQ(game.play.message_timer, 420);
    EXPECT_EQ(text_of(game.play.score_text), "0");
    EXPECT_EQ(text_of(game.play.level_text), "x1");
    EXPECT_EQ(text_of(game.play.message_text).size(), 157u);
    EXPECT_EQ(followers_count(), 1);
    EXPECT_EQ(ecs_get_as<CColor>(follower_get(0), C_COLOR)->color, 0);
    EXPECT_EQ(game.play.enemies.capacity, 64u);
    EXPECT_TRUE(music_is_playing());
    game_state_free();
}

TEST(ScenePlay, FirstAttackerInTheStepTheHelpPhaseEndsPausesExcluded) {
    play_start();
    for (i32 i = 1; i <= 199; i++) step();
    EXPECT_EQ(game.play.enemies.count, 0);

    const PlayScene before = game.play;
    const vec4 message_color = ecs_get_as<CText>(game.play.message_text, C_TEXT)->color;
    test_stdout_begin();
    step({SDL_SCANCODE_P});
    // Holding P is not a second press.
    step({SDL_SCANCODE_P});
    step({SDL_SCANCODE_P});
    for (i32 i = 0; i < 50; i++) step();
    const bool paused = game.paused;
    const PlayScene during = game.play;
    const vec4 paused_color = ecs_get_as<CText>(game.play.message_text, C_TEXT)->color;
    // The step that resumes runs the scene, so it is the 200th unpaused step.
    step({SDL_SCANCODE_P});
    EXPECT_EQ(test_stdout_end(), "???\n???\n");
    EXPECT_TRUE(paused);
    EXPECT_EQ(during.message_timer, before.message_timer);
    EXPECT_EQ(during.level_timer, before.level_timer);
    EXPECT_EQ(std::memcmp(&paused_color, &message_color, sizeof paused_color), 0);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.play.message_timer, before.message_timer - 1);

    for (i32 i = 201; i <= 419; i++) step();
    EXPECT_EQ(game.play.enemies.count, 0);
    EXPECT_TRUE(game.play.message_showing);
    step();
    EXPECT_EQ(game.play.enemies.count, 1);
    EXPECT_TRUE(game.play.spawning);
    EXPECT_FALSE(game.play.message_showing);
    const CPhysics *physics = ecs_get_as<CPhysics>(enemy_last(), C_PHYSICS);
    ASSERT_NE(physics, nullptr);
    // Built this step and moved once by this step's component update, it is still outside the field.
    const vec3 p = physics->position;
    EXPECT_TRUE(p.x < 0.0f || p.x > 1280.0f || p.y < 0.0f || p.y > 720.0f) << p.x << " " << p.y;
    game_state_free();
}

// Pausing from outside the step (a hidden page, a tap) sets the pause rather than toggling
// it, prints only when it changes something, and never touches the menu or the results.
TEST(ScenePlay, PauseSetFromOutsideTheStep) {
    play_start();
    for (i32 i = 0; i < 10; i++) step();
    test_stdout_begin();
    game_pause_set(true);
    const PlayScene before = game.play;
    game_pause_set(true);
    for (i32 i = 0; i < 30; i++) step();
    EXPECT_TRUE(game.paused) << "a second hide must not resume";
    EXPECT_EQ(game.play.message_timer, before.message_timer);
    step({SDL_SCANCODE_P});
    EXPECT_FALSE(game.paused) << "P resumes a game the page paused";
    step();
    step({SDL_SCANCODE_P});
    game_pause_set(true);
    EXPECT_TRUE(game.paused) << "a game the player paused stays paused";
    game_pause_set(false);
    game_pause_set(false);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(test_stdout_end(), "???\n???\n???\n???\n");
    game_state_free();

    for (GameState state : {GAME_STATE_MENU, GAME_STATE_RESULTS}) {
        game.state = state;
        test_stdout_begin();
        game_pause_set(true);
        EXPECT_EQ(test_stdout_end(), "");
        EXPECT_FALSE(game.paused) << "scene " << state;
    }
    test_game_reset();
}

TEST(ScenePlay, AttackerPlacementColourAndGapFromTheFourDraws) {
    play_start();
    play_spawning_start();
    const u32 levels[] = {1, 2, 3, 6, 7, 12, 28, 29, 40};
    for (u32 level : levels) {
        game.play.level = level;
        for (unsigned seed = 1; seed <= 12; seed++) {
            std::srand(seed);
            EntityId attacker = attacker_send();
            ASSERT_EQ(enemy_last(), attacker);

            std::srand(seed);
            const i32 edge = draw() % 4;
            const f32 along = static_cast<f32>(draw()) / 32767.0f;
            const i32 color = draw() % static_cast<i32>(std::min(level, 6u));
            const f32 f = static_cast<f32>(0.05 + 1.9 * static_cast<f64>(static_cast<f32>(draw()) / 32767.0f));
            const i32 gap = std::max(5, static_cast<i32>(f * static_cast<f32>(60 - 2 * static_cast<i32>(level))));

            const f32 y = 25.0f + along * 721.0f;
            const f32 x = 25.0f + along * 1281.0f;
            const vec2 expected_attacker[] = {{-25.0f, y}, {1305.0f, y}, {x, -25.0f}, {x, 745.0f}};
            const vec2 expected_warning[] = {{32.0f, y}, {1248.0f, y}, {x, 32.0f}, {x, 688.0f}};
            const CPhysics *physics = ecs_get_as<CPhysics>(attacker, C_PHYSICS);
            const CSprite *warning = ecs_get_as<CSprite>(attacker + 1, C_SPRITE);
            ASSERT_NE(physics, nullptr);
            ASSERT_NE(warning, nullptr);
            EXPECT_FLOAT_EQ(physics->position.x, expected_attacker[edge].x);
            EXPECT_FLOAT_EQ(physics->position.y, expected_attacker[edge].y);
            EXPECT_FLOAT_EQ(warning->position.x, expected_warning[edge].x);
            EXPECT_FLOAT_EQ(warning->position.y, expected_warning[edge].y);
            EXPECT_EQ(ecs_get_as<CColor>(attacker, C_COLOR)->color, color);
            EXPECT_EQ(game.play.spawn_timer, gap) << "level " << level;
            if (level >= 29) {
                EXPECT_EQ(game.play.spawn_timer, 5);
            }
            entity_delete(attacker);
            entity_delete(attacker + 1);
            vector_clear(&game.play.enemies);
        }
    }
    game_state_free();
}

TEST(ScenePlay, AttackersTakeOnlyTheColoursOfFollowersPresent) {
    play_start();
    play_spawning_start();
    std::srand(99);
    const u32 levels[] = {1, 2, 8};
    for (u32 level : levels) {
        game.play.level = level;
        std::set<i32> colors;
        i32 gap_min = 1000;
        i32 gap_max = 0;
        for (i32 i = 0; i < 120; i++) {
            EntityId attacker = attacker_send();
            colors.insert(ecs_get_as<CColor>(attacker, C_COLOR)->color);
            gap_min = std::min(gap_min, game.play.spawn_timer);
            gap_max = std::max(gap_max, game.play.spawn_timer);
            entity_delete(attacker);
            entity_delete(attacker + 1);
        }
        EXPECT_EQ(static_cast<u32>(colors.size()), std::min(level, 6u)) << "level " << level;
        EXPECT_GE(*colors.begin(), 0);
        EXPECT_LT(*colors.rbegin(), static_cast<i32>(std::min(level, 6u)));
        const i32 span = 60 - 2 * static_cast<i32>(level);
        EXPECT_GE(gap_min, 5);
        EXPECT_LE(gap_max, static_cast<i32>(1.95f * static_cast<f32>(span)));
        EXPECT_GT(gap_max, span) << "the gaps should spread above the mean";
    }
    game_state_free();
}

TEST(ScenePlay, LevelsEvery1200StepsWithSoundAndAtMostSixFollowers) {
    play_start();
    game.play.message_showing = false;
    for (i32 i = 1; i < 1200; i++) step();
    EXPECT_EQ(game.play.level, 1u);
    Mix_HaltChannel(-1);
    step();
    EXPECT_EQ(game.play.level, 2u);
    EXPECT_EQ(text_of(game.play.level_text), "x2");
    EXPECT_EQ(Mix_Playing(-1), 1) << "the level sound";
    EXPECT_EQ(followers_count(), 2);

    for (u32 level = 3; level <= 9; level++) {
        Mix_HaltChannel(-1);
        play_level_increment(&game.play);
        EXPECT_EQ(game.play.level, level);
        EXPECT_EQ(Mix_Playing(-1), 1) << "the level sound at level " << level;
        EXPECT_EQ(followers_count(), static_cast<i32>(std::min(level, 6u)));
        EXPECT_EQ(game.play.level_timer, 1200);
    }
    EXPECT_EQ(text_of(game.play.level_text), "x9");
    for (i32 i = 0; i < 6; i++) EXPECT_EQ(ecs_get_as<CColor>(follower_get(i), C_COLOR)->color, i);
    game_state_free();
}

TEST(ScenePlay, EachFollowerScoresOncePerStep) {
    play_start();
    game.play.message_showing = false;
    play_level_increment(&game.play);
    ASSERT_EQ(game.play.level, 2u);
    for (i32 i = 0; i < 3; i++) step();

    const EntityId green = follower_get(0);
    const EntityId blue = follower_get(1);
    const vec3 green_at = ecs_get_as<CPhysics>(green, C_PHYSICS)->position;
    const vec3 blue_at = ecs_get_as<CPhysics>(blue, C_PHYSICS)->position;
    const EntityId attackers[] = {entity_add(), entity_add(), entity_add()};
    enemy_init(attackers[0], game.play.player, 0, green_at, 0.0f);
    enemy_init(attackers[1], game.play.player, 0, green_at, 0.0f);
    enemy_init(attackers[2], game.play.player, 1, blue_at, 0.0f);
    for (EntityId attacker : attackers) vector_push(&game.play.enemies, &attacker);

    for (i32 i = 0; i < 10 && game.play.score == 0; i++) step();
    step();
    for (EntityId attacker : attackers) EXPECT_FALSE(alive(attacker));
    // Two kills by the green follower in one step count once, the blue one's once more.
    EXPECT_EQ(game.play.score, 4u);
    EXPECT_EQ(text_of(game.play.score_text), "4");
    // Only the last kill of each follower leaves the list.
    EXPECT_EQ(game.play.enemies.count, 1);
    game_state_free();
}

TEST(ScenePlay, HitClearsTheListedAttackersAndTheFatalHitClearsNothing) {
    play_start();
    play_spawning_start();
    const EntityId attackers[] = {attacker_send(), attacker_send(), attacker_send()};
    game.play.spawn_timer = 1000;
    physics_move(attackers[0], CENTER);

    const u32 particles_before = game.ecs.registers[C_SCALE].records.count;
    ASSERT_TRUE(hit_wait(3));
    step();
    for (EntityId attacker : attackers) EXPECT_FALSE(alive(attacker));
    EXPECT_EQ(game.ecs.registers[C_SCALE].records.count, particles_before + 6) << "two particles per attacker";
    EXPECT_EQ(game.play.enemies.count, 3) << "a clear leaves the entries listed";

    // The stun holds the next attacker back, then the usual 180 steps pass.
    i32 free_step = -1;
    i32 sent_step = -1;
    for (i32 i = 0; i < 1000 && sent_step < 0; i++) {
        step();
        if (ecs_get_as<CStun>(game.play.player, C_STUN)->active) {
            EXPECT_EQ(game.play.spawn_timer, 180);
        }
        if (free_step < 0 && game.play.spawn_timer == 179) free_step = i;
        if (game.play.enemies.count > 3) sent_step = i;
    }
    ASSERT_GE(free_step, 0);
    EXPECT_EQ(sent_step - free_step, 179);

    // The fatal hit.
    game.play.spawn_timer = 1000;
    ecs_get_as<CHealth>(game.play.player, C_HEALTH)->value = 1;
    const EntityId bystander = attacker_send();
    const EntityId killer = attacker_send();
    physics_move(killer, CENTER);
    ASSERT_TRUE(hit_wait(1));
    EXPECT_TRUE(ecs_get_as<CHealth>(game.play.player, C_HEALTH)->dead);
    const u32 level = game.play.level;
    const u32 score = game.play.score;
    for (i32 i = 0; i < 3; i++) step();
    EXPECT_TRUE(alive(bystander));
    EXPECT_TRUE(alive(killer));
    EXPECT_EQ(game.play.spawn_timer, 180);

    game.play.level_timer = 1;
    step();
    EXPECT_EQ(game.play.level, level) << "no level after death";

    i32 steps = 0;
    test_stdout_begin();
    while (game.state == GAME_STATE_PLAY && steps < 1000) {
        step();
        steps++;
    }
    test_stdout_end();
    EXPECT_EQ(game.state, GAME_STATE_RESULTS);
    EXPECT_LT(steps, 300);
    EXPECT_EQ(game.results.score, score);
    game_state_free();
}

TEST(ScenePlay, SixtyFourEntriesAtMostAndUnlistedAttackersSurviveTheClear) {
    play_start();
    play_spawning_start();
    // Entries of attackers an earlier clear deleted still count.
    for (EntityId gone = 50000; gone < 50060; gone++) vector_push(&game.play.enemies, &gone);
    EntityId sent[6];
    for (EntityId &attacker : sent) attacker = attacker_send();
    game.play.spawn_timer = 1000;
    EXPECT_EQ(game.play.enemies.count, 64);
    EXPECT_EQ(enemy_last(), sent[3]);
    for (EntityId attacker : sent) EXPECT_TRUE(alive(attacker));

    physics_move(sent[0], CENTER);
    ASSERT_TRUE(hit_wait(3));
    step();
    for (i32 i = 0; i < 4; i++) EXPECT_FALSE(alive(sent[i]));
    EXPECT_TRUE(alive(sent[4]));
    EXPECT_TRUE(alive(sent[5]));
    EXPECT_EQ(game.play.enemies.count, 64);
    game_state_free();
}

TEST(ScenePlay, NoAttackerWhileItsKindsAreFullThenTheNextStepTriesAgain) {
    const u32 kinds[] = {C_SPRITE, C_COLOR_CHANGE, C_CHASE};
    for (u32 kind : kinds) {
        play_start();
        play_spawning_start();
        const EntityId filler = entity_add();
        // The attacker and its warning need two sprites; one record of room is not enough.
        const u32 room_left = kind == C_SPRITE ? 1 : 0;
        while (ecs_room_get(kind) > room_left) ecs_add(filler, kind);

        game.play.spawn_timer = 1;
        const EntityId next = game.ecs.entity_count;
        const u32 sprites = game.ecs.registers[C_SPRITE].records.count;
        play_update_f(&game.play);
        play_update_f(&game.play);
        EXPECT_EQ(game.play.enemies.count, 0) << "kind " << kind;
        EXPECT_EQ(game.ecs.entity_count, next) << "kind " << kind;
        EXPECT_EQ(game.ecs.registers[C_SPRITE].records.count, sprites);
        EXPECT_LE(game.play.spawn_timer, 0);

        ecs_delete(filler, kind);
        if (kind == C_SPRITE) ecs_delete(filler, kind);
        play_update_f(&game.play);
        ASSERT_EQ(game.play.enemies.count, 1) << "kind " << kind;
        EXPECT_NE(ecs_get(enemy_last(), C_SPRITE), nullptr);
        EXPECT_TRUE(ecs_get(enemy_last(), kind) || ecs_get(enemy_last() + 1, kind)) << "kind " << kind;
        EXPECT_NE(ecs_get(enemy_last() + 1, C_SPRITE), nullptr);
        EXPECT_GT(game.play.spawn_timer, 0);
        entity_delete(filler);
        game_state_free();
    }
}
