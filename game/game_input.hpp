// The player's actions, whatever the hand: the keyboard, the mouse, the pads, a finger and the
// window's own requests all come together here, and nowhere else. Every answer is worked out
// when asked, from game.keyboard, game.mouse, game.gamepad and game.event as they stand; a
// press is one device's own press (P pressed, or Start pressed).
//
// It also keeps the one thing the devices cannot tell on their own: which of the mouse and the
// pads moved last, and so steers. The pointer is hidden while a pad steers.
#pragma once

#include "engine/types.hpp"

enum : u32 {
    ACTION_SPIN_LEFT = 0,  // Left, A; a pad's left shoulder, left trigger, d-pad left, right stick left
    ACTION_SPIN_RIGHT = 1, // Right, D; the same on a pad's right side
    ACTION_CONFIRM = 2,    // Space; the south face button by position
    ACTION_CLICK = 3,      // the pointer's button: the left mouse button, or a finger on the screen
    ACTION_PAUSE = 4,      // P; Start
    ACTION_MUSIC = 5,      // M; Back / Select
    ACTION_FULLSCREEN = 6, // F11 or Alt+Enter, each request once (the window's events)
    ACTION_COUNT = 7,
};

struct GameInput {
    bool pad_steering;  // a pad's stick moved after the mouse did
    bool cursor_hidden;
};

// Down in this step and not in the one before, on any one device.
bool game_input_press(u32 action);
// Down in this step and the one before, on any one device.
bool game_input_held(u32 action);
// Where the pointer is, in field pixels.
vec2 game_input_pointer();
// Where the centre standing at `from` is steered to (field pixels): toward the pointer, or
// toward where a pad's stick points from it. False when nothing steers: a finger on the screen
// is never a target, since a thumb there would drag the centre under it.
bool game_input_steer(const vec2 *from, vec2 *target);
// The hand that was playing went away during this step (a pad was pulled).
bool game_input_lost();
// A short rumble in the hand that is playing, where it has motors.
void game_input_rumble();
// Once per step after the devices are read: hands the steering to whichever of the mouse and
// the pads moved, and shows or hides the pointer to match.
void game_input_update();
// Gives the pointer back.
void game_input_free();
