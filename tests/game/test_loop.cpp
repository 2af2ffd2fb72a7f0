// The fixed-step main loop: the accumulator, the quit request and the M music switch.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include "ecs/entity.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

struct Counter {
    EntityId entity;
};

int steps = 0;
void count_step(void *) { steps++; }

void loop_reset() {
    test_game_reset();
    test_resources_load();
    game.state = GAME_STATE_MENU;
    menu_init(&game.menu);
    // Kind 0 is unused by the menu: borrow it to count component passes.
    ecs_register(C_CHASE, sizeof(Counter), 255, nullptr, nullptr, count_step, nullptr, nullptr);
    ecs_add(entity_add(), C_CHASE);
    steps = 0;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void m_press() {
    game.keyboard.previous[SDL_SCANCODE_M] = 0;
    game.keyboard.current[SDL_SCANCODE_M] = 1;
}

} // namespace

TEST(Loop, StepsTakenWhileMoreThanOneStepIsStored) {
    loop_reset();
    struct Case {
        u64 accumulator;
        int steps;
        u64 left;
    };
    for (const Case &c : {Case{16, 0, 16}, Case{17, 1, 1}, Case{32, 1, 16}, Case{33, 2, 1}, Case{0, 0, 0},
                          Case{2000, 124, 16}}) {
        steps = 0;
        game.tick.accumulator = c.accumulator;
        game_steps_run();
        EXPECT_EQ(steps, c.steps) << c.accumulator;
        EXPECT_EQ(game.tick.accumulator, c.left) << c.accumulator;
    }

    // Paused: the steps are still taken, the components do not advance.
    game.paused = true;
    steps = 0;
    game.tick.accumulator = 33;
    game_steps_run();
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(game.tick.accumulator, 1u);
    game.paused = false;
    menu_free(&game.menu);
    test_game_reset();
}

TEST(Loop, TickUpdateFeedsTheAccumulator) {
    Tick tick = {};
    tick.accumulator = 5;
    tick_update(&tick);
    u64 first = tick.ticks;
    EXPECT_EQ(tick.ticks_previous, 0u);
    EXPECT_EQ(tick.delta, first);
    EXPECT_EQ(tick.accumulator, 5 + first);
    // Wait on the clock itself: SDL_Delay may come back a fraction of a millisecond early.
    while (SDL_GetTicks64() < first + 20) SDL_Delay(1);
    tick_update(&tick);
    EXPECT_EQ(tick.ticks_previous, first);
    EXPECT_GE(tick.delta, 20u);
    EXPECT_EQ(tick.accumulator, 5 + tick.ticks);
}

// A platform that drops long gaps keeps ordinary frames whole, slow ones included, and
// forgets a long absence entirely, the part of a step already stored kept.
TEST(Loop, LongGapDroppedOrdinaryFramesKept) {
    struct Case {
        u64 stored;
        u64 delta;
        u64 accumulator;
    };
    for (const Case &c : {Case{0, 16, 16}, Case{7, 250, 257}, Case{7, 251, 7}, Case{15, 40000, 15},
                          Case{0, 0, 0}}) {
        Tick tick = {};
        tick.accumulator = c.stored + c.delta;
        tick.delta = c.delta;
        tick_gap_drop(&tick, TICK_GAP_MAX_MS);
        EXPECT_EQ(tick.accumulator, c.accumulator) << c.stored << " + " << c.delta;
    }

    // With the real clock: a 300 ms stall runs no step at all once dropped.
    loop_reset();
    tick_update(&game.tick);
    game.tick.accumulator = 5;
    const u64 start = game.tick.ticks;
    while (SDL_GetTicks64() < start + 300) SDL_Delay(5);
    tick_update(&game.tick);
    tick_gap_drop(&game.tick, TICK_GAP_MAX_MS);
    steps = 0;
    game_steps_run();
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(game.tick.accumulator, 5u);
    menu_free(&game.menu);
    test_game_reset();
}

TEST(Loop, AHeldLoopIsNotPlayedBack) {
    loop_reset();
    tick_update(&game.tick);
    u64 owed = game.tick.accumulator;
    // The loop is held (as in Windows' move/size loop) well past many steps...
    u64 held_from = SDL_GetTicks64();
    while (SDL_GetTicks64() < held_from + 200) SDL_Delay(5);
    // ...and the system says so when it lets go.
    tick_hold_drop(&game.tick);
    tick_update(&game.tick);
    EXPECT_LT(game.tick.accumulator - owed, 100u) << "the hold came back as a burst of steps";
    EXPECT_GE(game.tick.accumulator, owed) << "the steps owed before the hold are kept";
    // Without the drop, the same hold is made up step for step, as the loop always has.
    held_from = SDL_GetTicks64();
    u64 before = game.tick.accumulator;
    while (SDL_GetTicks64() < held_from + 200) SDL_Delay(5);
    tick_update(&game.tick);
    EXPECT_GE(game.tick.accumulator - before, 200u);
    menu_free(&game.menu);
    test_game_reset();
}

TEST(Loop, QuitRequestActedOnAtTheNextStep) {
    loop_reset();
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    game_step();
    EXPECT_FALSE(game.quit) << "the poll that takes the request comes after the check";
    EXPECT_TRUE(event_press(&game.event, EVENT_QUIT));
    game_step();
    EXPECT_TRUE(game.quit);
    EXPECT_FALSE(event_press(&game.event, EVENT_QUIT));
    game_step();
    EXPECT_TRUE(game.quit) << "never cleared";

    // Within one frame of two steps, a request seen by the first is acted on by the second.
    loop_reset();
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    game.tick.accumulator = 33;
    game_steps_run();
    EXPECT_TRUE(game.quit);
    EXPECT_EQ(steps, 2) << "the frame still finishes its steps";
    menu_free(&game.menu);
    test_game_reset();
}

TEST(Loop, MusicSwitchResumesFirstThenPauses) {
    loop_reset();
    ASSERT_TRUE(game.musics[MUSIC_ETHNICA].loaded);
    music_play(&game.musics[MUSIC_ETHNICA], true);
    ASSERT_TRUE(music_is_playing());
    EXPECT_FALSE(game.music_toggle);

    m_press();
    game_step();
    EXPECT_TRUE(game.music_toggle);
    EXPECT_EQ(Mix_PausedMusic(), 0) << "the first press changes nothing audible";
    game_step(); // M is up again after the real keyboard update
    EXPECT_TRUE(game.music_toggle);

    m_press();
    game_step();
    EXPECT_FALSE(game.music_toggle);
    EXPECT_EQ(Mix_PausedMusic(), 1);

    // A key that is held, not newly pressed, does not switch.
    game.keyboard.previous[SDL_SCANCODE_M] = 1;
    game.keyboard.current[SDL_SCANCODE_M] = 1;
    game_step();
    EXPECT_FALSE(game.music_toggle);
    EXPECT_EQ(Mix_PausedMusic(), 1);

    m_press();
    game_step();
    EXPECT_TRUE(game.music_toggle);
    EXPECT_EQ(Mix_PausedMusic(), 0);
    EXPECT_TRUE(music_is_playing());
    music_stop();
    menu_free(&game.menu);
    test_game_reset();
}
