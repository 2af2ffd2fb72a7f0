// Per-step snapshot of the window events the game cares about: the quit request, and whether
// the pointer was last moved by a real mouse or by a finger (SDL makes mouse events of touches).
#pragma once

#include "engine/types.hpp"

enum : u32 {
    EVENT_QUIT = 0,
    EVENT_MOUSE = 1, // a real mouse moved, clicked or scrolled
    EVENT_TOUCH = 2, // a finger touched, moved or lifted
    EVENT_COUNT = 3,
};

struct Event {
    bool current[EVENT_COUNT];
    bool previous[EVENT_COUNT];
    bool pointer_touch; // the pointer's position is a finger's, not the mouse's: it steers nothing
};

void event_update(Event *event);
bool event_press(const Event *event, u32 kind);
bool event_held(const Event *event, u32 kind);
bool event_release(const Event *event, u32 kind);
