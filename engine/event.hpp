// Per-step snapshot of the window events the game cares about: the quit request, a request to
// toggle fullscreen (F11 or Alt+Enter, each press once), the end of a stall of the loop, the
// window losing the player (focus lost, minimised, hidden) and coming back, and whether the
// pointer was last moved by a real mouse or by a finger (SDL makes mouse events of touches).
// The desktop and the browser each have their own file; the browser's page reports on its own.
#pragma once

#include <SDL2/SDL.h>

#include "engine/types.hpp"

enum : u32 {
    EVENT_QUIT = 0,
    EVENT_FULLSCREEN = 1,
    EVENT_STALL_END = 2,
    EVENT_MOUSE = 3, // a real mouse moved, clicked or scrolled
    EVENT_TOUCH = 4, // a finger touched, moved or lifted
    EVENT_AWAY = 5,   // the window lost the focus, or was minimised or hidden
    EVENT_HIDDEN = 6, // the window was minimised or hidden
    EVENT_SHOWN = 7,  // the window was restored or shown again
    EVENT_WINDOW = 8, // any event of the window's own (exposed, moved, resized, ...)
    EVENT_COUNT = 9,
};

struct Event {
    bool current[EVENT_COUNT];
    bool previous[EVENT_COUNT];
    bool pointer_touch; // the pointer's position is a finger's, not the mouse's: it steers nothing
};

// Asks the platform for the messages event_update reads beyond SDL's usual events.
void event_init();
// EVENT_FULLSCREEN, EVENT_STALL_END and the window's comings and goings are set for the one
// step that polled them: two requests in consecutive steps are two requests.
void event_update(Event *event);
// Shared by the platforms' event_update: the step's flags begin clear, and the events read
// alike everywhere (the quit request, and a pointer event telling a finger from the mouse).
void event_step_begin(Event *event);
void event_shared_read(Event *event, const SDL_Event *sdl_event);
bool event_press(const Event *event, u32 kind);
bool event_held(const Event *event, u32 kind);
bool event_release(const Event *event, u32 kind);
