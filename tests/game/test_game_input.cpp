// The player's actions from the device records as they stand: every binding presses and holds
// its action and no other, and each device's press is its own. (Who steers, and the pads for
// real, are played in test_gamepad.)
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

enum Hand : u32 { HAND_KEY, HAND_MOUSE, HAND_PAD, HAND_WINDOW };

struct Bound {
    u32 action;
    Hand hand;
    u32 code;
    const char *name;
};

constexpr Bound BOUND[] = {
    {ACTION_SPIN_LEFT, HAND_KEY, SDL_SCANCODE_LEFT, "Left"},
    {ACTION_SPIN_LEFT, HAND_KEY, SDL_SCANCODE_A, "A"},
    {ACTION_SPIN_LEFT, HAND_PAD, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "left shoulder"},
    {ACTION_SPIN_LEFT, HAND_PAD, SDL_CONTROLLER_BUTTON_DPAD_LEFT, "d-pad left"},
    {ACTION_SPIN_LEFT, HAND_PAD, GAMEPAD_TRIGGER_LEFT, "left trigger"},
    {ACTION_SPIN_LEFT, HAND_PAD, GAMEPAD_RIGHT_STICK_LEFT, "right stick left"},
    {ACTION_SPIN_RIGHT, HAND_KEY, SDL_SCANCODE_RIGHT, "Right"},
    {ACTION_SPIN_RIGHT, HAND_KEY, SDL_SCANCODE_D, "D"},
    {ACTION_SPIN_RIGHT, HAND_PAD, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "right shoulder"},
    {ACTION_SPIN_RIGHT, HAND_PAD, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "d-pad right"},
    {ACTION_SPIN_RIGHT, HAND_PAD, GAMEPAD_TRIGGER_RIGHT, "right trigger"},
    {ACTION_SPIN_RIGHT, HAND_PAD, GAMEPAD_RIGHT_STICK_RIGHT, "right stick right"},
    {ACTION_CONFIRM, HAND_KEY, SDL_SCANCODE_SPACE, "Space"},
    {ACTION_CONFIRM, HAND_PAD, SDL_CONTROLLER_BUTTON_A, "south button"},
    {ACTION_CLICK, HAND_MOUSE, MOUSE_BUTTON_LEFT, "left button"},
    {ACTION_PAUSE, HAND_KEY, SDL_SCANCODE_P, "P"},
    {ACTION_PAUSE, HAND_PAD, SDL_CONTROLLER_BUTTON_START, "Start"},
    {ACTION_MUSIC, HAND_KEY, SDL_SCANCODE_M, "M"},
    {ACTION_MUSIC, HAND_PAD, SDL_CONTROLLER_BUTTON_BACK, "Back"},
    {ACTION_FULLSCREEN, HAND_WINDOW, EVENT_FULLSCREEN, "F11 / Alt+Enter"},
};

// One step of the records: what was down becomes what was down before, then `down` is set.
void records_step(const Bound *down) {
    auto shift = [](auto &previous, auto &current) {
        std::memcpy(previous, current, sizeof current);
        std::memset(current, 0, sizeof current);
    };
    shift(game.keyboard.previous, game.keyboard.current);
    shift(game.mouse.previous, game.mouse.current);
    shift(game.gamepad.previous, game.gamepad.current);
    shift(game.event.previous, game.event.current);
    if (!down) return;
    switch (down->hand) {
    case HAND_KEY: game.keyboard.current[down->code] = 1; break;
    case HAND_MOUSE: game.mouse.current[down->code] = true; break;
    case HAND_PAD: game.gamepad.current[down->code] = true; break;
    case HAND_WINDOW: game.event.current[down->code] = true; break;
    }
}

class GameInputs : public ::testing::Test {
protected:
    void SetUp() override { test_game_reset(); }
    void TearDown() override { test_game_reset(); }
};

} // namespace

TEST_F(GameInputs, EveryBindingPressesThenHoldsItsActionAndNoOther) {
    for (const Bound &bound : BOUND) {
        SCOPED_TRACE(bound.name);
        records_step(nullptr);
        records_step(nullptr);
        records_step(&bound);
        for (u32 action = 0; action < ACTION_COUNT; action++) {
            EXPECT_EQ(game_input_press(action), action == bound.action) << "action " << action;
            EXPECT_FALSE(game_input_held(action)) << "action " << action;
        }
        records_step(&bound);
        for (u32 action = 0; action < ACTION_COUNT; action++) {
            EXPECT_EQ(game_input_held(action), action == bound.action) << "action " << action;
            // A window request is one request per step it is seen, held or not.
            EXPECT_EQ(game_input_press(action), action == bound.action && bound.hand == HAND_WINDOW);
        }
    }
    records_step(nullptr);
    EXPECT_FALSE(game_input_press(ACTION_COUNT)) << "an unknown action is never down";
}

TEST_F(GameInputs, EachDevicePressesOnItsOwn) {
    // P held down, then Start pressed: that is Start's press, a second pause.
    game.keyboard.current[SDL_SCANCODE_P] = 1;
    game.keyboard.previous[SDL_SCANCODE_P] = 1;
    game.gamepad.current[SDL_CONTROLLER_BUTTON_START] = true;
    EXPECT_TRUE(game_input_press(ACTION_PAUSE));
    // A spin held on the pad while A goes down: pressed by the key, held by the pad.
    game.gamepad.current[SDL_CONTROLLER_BUTTON_LEFTSHOULDER] = true;
    game.gamepad.previous[SDL_CONTROLLER_BUTTON_LEFTSHOULDER] = true;
    game.keyboard.current[SDL_SCANCODE_A] = 1;
    EXPECT_TRUE(game_input_press(ACTION_SPIN_LEFT));
    EXPECT_TRUE(game_input_held(ACTION_SPIN_LEFT));
}
