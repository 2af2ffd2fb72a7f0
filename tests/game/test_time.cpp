// Time in the loop: long gaps and time away, and drawing between steps.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

void play_start() {
    test_game_reset();
    test_resources_free();
    std::srand(7);
    game.state = GAME_STATE_PLAY;
    test_stdout_begin();
    game_state_data_init();
    game_state_init();
    test_stdout_end();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void play_end() {
    test_stdout_begin();
    game_state_free();
    game_state_data_free();
    test_stdout_end();
    test_game_reset();
}

} // namespace

// Frames on an injected clock: whole milliseconds feed the accumulator, a gap over a quarter
// second is dropped (the part of a step already stored kept), and only time in which the game
// neither ran nor was held by the system pauses play.
TEST(Time, GapsDroppedAndTimeAwayPausesPlay) {
    play_start();
    TickClock clock = {1000500, 5000000, 100000};
    game_frame(&clock);
    game.tick.accumulator = 7;
    struct Case {
        u64 wall_ms;
        u64 cpu_ms;
        u64 accumulator;
        bool paused;
    };
    // A 251 ms frame of the game's own work (a scene load) is dropped but does not pause;
    // 40 s stopped does both; a suspended machine stops the step clock but not the wall clock.
    for (const Case &c : {Case{250, 0, 257 - 256, false}, Case{251, 251, 1, false}, Case{40000, 1, 1, true}}) {
        game.paused = false;
        clock.micros += c.wall_ms * 1000;
        clock.wall_micros += c.wall_ms * 1000;
        clock.cpu_micros += c.cpu_ms * 1000;
        game_frame(&clock);
        EXPECT_EQ(game.tick.accumulator, c.accumulator) << c.wall_ms;
        EXPECT_EQ(game.paused, c.paused) << c.wall_ms;
    }
    game.paused = false;
    clock.wall_micros += 3600000000ull; // an hour asleep, the performance counter stood still
    clock.micros += 16000;
    game_frame(&clock);
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.tick.accumulator, 1u);
    // Windows' move/size loop holds the game as long, and is neither replayed nor a pause.
    game.paused = false;
    game.tick.held = true;
    clock.micros += 5000000;
    clock.wall_micros += 5000000;
    game_frame(&clock);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.tick.accumulator, 1u);
    play_end();
}

