// Per-step snapshot of the keyboard by SDL scancode, with press/held/release edges.
#pragma once

#include "engine/types.hpp"

constexpr u32 KEYBOARD_KEY_COUNT = 255;

struct Keyboard {
    u8 current[KEYBOARD_KEY_COUNT];
    u8 previous[KEYBOARD_KEY_COUNT];
};

void keyboard_update(Keyboard *keyboard);
bool keyboard_press(const Keyboard *keyboard, u32 scancode);
bool keyboard_held(const Keyboard *keyboard, u32 scancode);
bool keyboard_release(const Keyboard *keyboard, u32 scancode);
