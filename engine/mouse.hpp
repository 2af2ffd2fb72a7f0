// Per-step snapshot of the cursor position and the mouse buttons.
#pragma once

#include "engine/types.hpp"

struct Window;

enum : u32 {
    MOUSE_BUTTON_LEFT = 1,
    MOUSE_BUTTON_MIDDLE = 2,
    MOUSE_BUTTON_RIGHT = 3,
    MOUSE_BUTTON_COUNT = 4,
};

struct Mouse {
    vec2 position; // in field pixels: the window's point under the pointer, mapped by the window

    bool current[MOUSE_BUTTON_COUNT];
    bool previous[MOUSE_BUTTON_COUNT];
};

void mouse_update(Mouse *mouse, const Window *window);
bool mouse_press(const Mouse *mouse, u32 button);
bool mouse_held(const Mouse *mouse, u32 button);
bool mouse_release(const Mouse *mouse, u32 button);
