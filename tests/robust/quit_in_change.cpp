// A close request that lands in the very step in which a scene reports it is done: the
// change of state still completes, and shut-down then releases the new state, not the old.
// Each case runs in a fresh process of its own, because shut-down closes the window and SDL.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "components/c_health.hpp"
#include "components/c_player_death.hpp"
#include "tests/robust/robust_drive.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr const char *MENU_FREE = "FREED: Shader #0\n"
                                  "FREED: res/gfx/logo.png\n"
                                  "FREED: res/sfx/hover.ogg\n"
                                  "FREED: res/sfx/select.ogg\n"
                                  "FREED: res/font/upheaval.ttf\n"
                                  "FREED: res/font/upheaval.ttf\n"
                                  "QUIT DONE\n";
constexpr const char *PLAY_FREE = "FREED: Shader #0\n"
                                  "FREED: res/gfx/player.png\n"
                                  "FREED: res/gfx/follower.png\n"
                                  "FREED: res/gfx/enemy.png\n"
                                  "FREED: res/gfx/particle.png\n"
                                  "FREED: res/gfx/warning.png\n"
                                  "FREED: res/sfx/collide.ogg\n"
                                  "FREED: res/sfx/level.ogg\n"
                                  "FREED: res/sfx/hurt.ogg\n"
                                  "FREED: res/sfx/warning.ogg\n"
                                  "FREED: res/mus/ethnica.ogg\n"
                                  "FREED: res/font/upheaval.ttf\n"
                                  "FREED: res/font/upheaval.ttf\n"
                                  "QUIT DONE\n";
constexpr const char *RESULTS_FREE = "FREED: Shader #0\n"
                                     "FREED: res/sfx/hover.ogg\n"
                                     "FREED: res/sfx/select.ogg\n"
                                     "FREED: res/font/upheaval.ttf\n"
                                     "QUIT DONE\n";

// Runs in the child: the game's lines go where the death test reads them.
void game_enter(GameState state) {
    dup2(fileno(stderr), fileno(stdout));
    test_game_reset();
    test_resources_free();
    robust_game_begin();
    if (state == GAME_STATE_MENU) return;
    if (!robust_menu_leave(100)) std::exit(10);
    if (state == GAME_STATE_PLAY) return;
    if (!robust_play_lose(2000)) std::exit(11);
}

// The quit request polled in the step before is acted on at the start of this one, and
// the scene finishes in it too; the main loop then stops and shuts down.
[[noreturn]] void quit_with_change(GameState expected) {
    game.event.current[EVENT_QUIT] = true;
    game.event.previous[EVENT_QUIT] = false;
    robust_idle(1);
    if (!game.quit) std::exit(12);
    if (game.state != expected) std::exit(13);
    if (robust_records_check() != "") std::exit(14);
    game_free();
    std::printf("QUIT DONE\n");
    std::fflush(stdout);
    std::exit(0);
}

class QuitInChange : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(QuitInChange, MenuToPlayFreesPlay) {
    EXPECT_EXIT(
        {
            game_enter(GAME_STATE_MENU);
            game.menu.done = true;
            quit_with_change(GAME_STATE_PLAY);
        },
        ::testing::ExitedWithCode(0), PLAY_FREE);
}

TEST_F(QuitInChange, PlayToResultsFreesTheResults) {
    EXPECT_EXIT(
        {
            game_enter(GAME_STATE_PLAY);
            // Lose, and stop one step before the scene sees the death sequence end.
            for (i32 i = 0; i < 2000; i++) {
                const CPlayerDeath *death = ecs_get_as<CPlayerDeath>(game.play.player, C_PLAYER_DEATH);
                if (!death) std::exit(15);
                if (death->stage == 4) break;
                if (CHealth *health = ecs_get_as<CHealth>(game.play.player, C_HEALTH)) health->value = 0;
                robust_idle(1);
            }
            if (game.state != GAME_STATE_PLAY) std::exit(16);
            quit_with_change(GAME_STATE_RESULTS);
        },
        ::testing::ExitedWithCode(0), RESULTS_FREE);
}

TEST_F(QuitInChange, ResultsToMenuFreesTheMenu) {
    EXPECT_EXIT(
        {
            game_enter(GAME_STATE_RESULTS);
            game.results.done = true;
            quit_with_change(GAME_STATE_MENU);
        },
        ::testing::ExitedWithCode(0), MENU_FREE);
}

} // namespace
