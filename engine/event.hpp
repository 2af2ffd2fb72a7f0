// Per-step snapshot of the window events the game cares about: the quit request, a request to
// toggle fullscreen (F11 or Alt+Enter, each press once), and the end of a stall of the loop.
#pragma once

#include "engine/types.hpp"

enum : u32 {
    EVENT_QUIT = 0,
    EVENT_FULLSCREEN = 1,
    EVENT_STALL_END = 2,
    EVENT_COUNT = 3,
};

struct Event {
    bool current[EVENT_COUNT];
    bool previous[EVENT_COUNT];
};

// Asks the platform for the messages event_update reads beyond SDL's usual events.
void event_init();
// EVENT_FULLSCREEN and EVENT_STALL_END are set for the one step that polled them: two requests
// in consecutive steps are two requests.
void event_update(Event *event);
bool event_press(const Event *event, u32 kind);
bool event_held(const Event *event, u32 kind);
bool event_release(const Event *event, u32 kind);
