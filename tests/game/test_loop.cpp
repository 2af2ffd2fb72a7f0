// The fixed-step main loop: the accumulator, long gaps, the quit request and the M music switch.
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
                          Case{265, 16, 9}}) {
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
