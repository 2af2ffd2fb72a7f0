// Per-step snapshot of the window events the game cares about: the quit request, a request to
// toggle fullscreen (F11 or Alt+Enter, each press once), the end of a stall of the loop, and
// whether the pointer was last moved by a real mouse or by a finger (SDL makes mouse events of
// touches).
#pragma once

#include "engine/types.hpp"

enum : u32 {
    EVENT_QUIT = 0,
    EVENT_FULLSCREEN = 1,
    EVENT_STALL_END = 2,
    EVENT_MOUSE = 3, // a real mouse moved, clicked or scrolled
    EVENT_TOUCH = 4, // a finger touched, moved or lifted
    EVENT_COUNT = 5,
};

struct Event {
    bool current[EVENT_COUNT];
    bool previous[EVENT_COUNT];
    bool pointer_touch; // the pointer's position is a finger's, not the mouse's: it steers nothing
};

// Asks the platform for the messages event_update reads beyond SDL's usual events.
void event_init();
// EVENT_FULLSCREEN and EVENT_STALL_END are set for the one step that polled them: two requests
// in consecutive steps are two requests.
void event_update(Event *event);
bool event_press(const Event *event, u32 kind);
bool event_held(const Event *event, u32 kind);
bool event_release(const Event *event, u32 kind);
