// Per-step snapshot of every plugged-in game controller, merged into one set of game inputs,
// and which hand steers: the pad or the mouse, whichever moved last.
#pragma once

#include <SDL2/SDL.h>

#include "engine/types.hpp"

struct Event;

enum : u32 {
    GAMEPAD_SPIN_LEFT = 0,  // shoulders, triggers, d-pad and right stick: like A / Left
    GAMEPAD_SPIN_RIGHT = 1, // like D / Right
    GAMEPAD_CONFIRM = 2,    // the south face button by position: like Space and the left button
    GAMEPAD_PAUSE = 3,      // Start: like P
    GAMEPAD_MUSIC = 4,      // Back / Select: like M
    GAMEPAD_LOST = 5,       // a pad was unplugged during this step
    GAMEPAD_INPUT_COUNT = 6,
    GAMEPAD_MAX = 8,
};

struct Gamepad {
    SDL_GameController *pads[GAMEPAD_MAX];
    SDL_GameController *playing; // the pad that gave input last; it rumbles on a hit
    vec2 stick;                  // the left stick past its dead zone: 0 ... 1 of tilt, y downward
    vec2 stick_previous;
    bool steering;               // the pad moved after the mouse did
    bool cursor_hidden;
    bool current[GAMEPAD_INPUT_COUNT];
    bool previous[GAMEPAD_INPUT_COUNT];
};

// A resting stick reads a little off centre; below this share of full tilt it counts as centred.
inline constexpr f32 GAMEPAD_STICK_DEAD_ZONE = 0.25f;

// Asks SDL for game controllers (pads are read by position, not by their printed labels).
// A failure is reported on the console and the game goes on without pads.
void gamepad_init();
// Opens pads that arrived, closes pads that left, reads the inputs of this step and decides
// who steers. Runs after event_update, which pumped SDL's queue.
void gamepad_update(Gamepad *gamepad, const Event *event);
void gamepad_free(Gamepad *gamepad);
bool gamepad_press(const Gamepad *gamepad, u32 input);
bool gamepad_held(const Gamepad *gamepad, u32 input);
// Where the stick points the steering: the centre's own position pushed toward the stick's
// direction, farther the more it is tilted (positions in field pixels).
void gamepad_steer_target(const Gamepad *gamepad, const vec2 *field, const vec2 *from, vec2 *out);
// A short rumble of the pad that is playing, where it has motors.
void gamepad_rumble(const Gamepad *gamepad);
