#include "engine/event.hpp"

#include <SDL2/SDL.h>

namespace {

void pointer_seen(Event *event, bool touch) {
    event->current[touch ? EVENT_TOUCH : EVENT_MOUSE] = true;
    event->pointer_touch = touch;
}

} // namespace

bool event_press(const Event *event, u32 kind) { return event->current[kind] && !event->previous[kind]; }
bool event_held(const Event *event, u32 kind) { return event->current[kind] && event->previous[kind]; }
bool event_release(const Event *event, u32 kind) { return !event->current[kind] && event->previous[kind]; }

void event_shared_read(Event *event, const SDL_Event *sdl_event) {
    switch (sdl_event->type) {
    case SDL_QUIT: event->current[EVENT_QUIT] = true; break;
    case SDL_MOUSEMOTION: pointer_seen(event, sdl_event->motion.which == SDL_TOUCH_MOUSEID); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: pointer_seen(event, sdl_event->button.which == SDL_TOUCH_MOUSEID); break;
    case SDL_MOUSEWHEEL: pointer_seen(event, sdl_event->wheel.which == SDL_TOUCH_MOUSEID); break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: pointer_seen(event, true); break;
    default: break;
    }
}

void event_step_begin(Event *event) {
    for (u32 i = 0; i < EVENT_COUNT; i++) {
        event->previous[i] = event->current[i];
        event->current[i] = false;
    }
}
