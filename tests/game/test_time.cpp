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

// Frames on an injected clock: a gap over a quarter second is dropped (the part of a step
// already stored kept), and only time the platform says the game missed pauses play.
TEST(Time, GapsDroppedAndTimeAwayPausesPlay) {
    play_start();
    TickClock clock = {1000500, 0, 0};
    game_frame(&clock);
    game.tick.accumulator = 7;
    struct Case {
        u64 gap_ms;
        u64 asleep_ms;
        u64 continued;
        u64 accumulator;
        bool paused;
    };
    // A 251 ms frame of the game's own work (a scene load) is dropped but does not pause; 40 s
    // stopped and continued does both; a suspended machine stops the step clock but not the
    // wall clock, so its frame may even look short.
    for (const Case &c : {Case{250, 0, 0, 257 - 256, false}, Case{251, 0, 0, 1, false}, Case{40000, 0, 1, 1, true},
                          Case{16, 3600000, 0, 1, true}, Case{16, 0, 0, 1, false}}) {
        game.paused = false;
        clock.micros += c.gap_ms * 1000;
        clock.asleep_micros += c.asleep_ms * 1000;
        clock.continued += c.continued;
        game_frame(&clock);
        EXPECT_EQ(game.tick.accumulator, c.accumulator) << c.gap_ms;
        EXPECT_EQ(game.paused, c.paused) << c.gap_ms;
    }
    play_end();
}
