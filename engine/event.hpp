// Per-step snapshot of the window events the game cares about (the quit request).
#pragma once

#include "engine/types.hpp"

enum : u32 {
    EVENT_QUIT = 0,
    EVENT_COUNT = 1,
};

struct Event {
    bool current[EVENT_COUNT];
    bool previous[EVENT_COUNT];
};

void event_update(Event *event);
bool event_press(const Event *event, u32 kind);
bool event_held(const Event *event, u32 kind);
bool event_release(const Event *event, u32 kind);
