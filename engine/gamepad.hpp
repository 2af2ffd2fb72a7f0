// Per-step snapshot of every plugged-in game controller, merged as one: a button is down when
// it is down on any pad, and the left stick is the most tilted one. Pads are read by position
// (SDL's layout), not by their printed labels.
#pragma once

#include <SDL2/SDL.h>

#include "engine/types.hpp"

// The pads' inputs: SDL's buttons by their own numbers, then the analogue inputs that count as
// pressed once past half way, so a light touch or a drifting stick presses nothing.
enum : u32 {
    GAMEPAD_TRIGGER_LEFT = SDL_CONTROLLER_BUTTON_MAX,
    GAMEPAD_TRIGGER_RIGHT,
    GAMEPAD_RIGHT_STICK_LEFT,
    GAMEPAD_RIGHT_STICK_RIGHT,
    GAMEPAD_INPUT_COUNT,
    GAMEPAD_MAX = 8,
};

struct Gamepad {
    SDL_GameController *pads[GAMEPAD_MAX];
    SDL_GameController *playing; // the pad that gave input last
    vec2 stick;                  // the left stick past its dead zone: 0 ... 1 of tilt, y downward
    vec2 stick_previous;
    bool lost;                   // a pad was unplugged during this step
    bool current[GAMEPAD_INPUT_COUNT];
    bool previous[GAMEPAD_INPUT_COUNT];
};

// A resting stick reads a little off centre; below this share of full tilt it counts as centred.
inline constexpr f32 GAMEPAD_STICK_DEAD_ZONE = 0.25f;

// Asks SDL for game controllers. A failure is reported on the console and the game goes on
// without pads.
void gamepad_init();
// Opens pads that arrived, closes pads that left and reads the inputs of this step. Runs after
// event_update, which pumped SDL's queue.
void gamepad_update(Gamepad *gamepad);
void gamepad_free(Gamepad *gamepad);
bool gamepad_press(const Gamepad *gamepad, u32 input);
bool gamepad_held(const Gamepad *gamepad, u32 input);
// The stick was tilted from rest, or moved on by more than a tremble, during this step.
bool gamepad_stick_moved(const Gamepad *gamepad);
// Rumbles the pad that is playing, where it has motors.
void gamepad_rumble(const Gamepad *gamepad, u16 strength, u32 ms);
