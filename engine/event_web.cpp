#include <SDL2/SDL.h>

#include "engine/event.hpp"

// The page owns fullscreen (its button, and the browser's own F11) and tells the game itself
// when it is hidden, so only the quit request and the pointer are read here.
void event_init() {}

void event_update(Event *event) {
    event_step_begin(event);
    SDL_Event sdl_event;
    while (SDL_PollEvent(&sdl_event)) {
        switch (sdl_event.type) {
        case SDL_QUIT: event->current[EVENT_QUIT] = true; break;
        case SDL_MOUSEMOTION: event_pointer_seen(event, sdl_event.motion.which == SDL_TOUCH_MOUSEID); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: event_pointer_seen(event, sdl_event.button.which == SDL_TOUCH_MOUSEID); break;
        case SDL_MOUSEWHEEL: event_pointer_seen(event, sdl_event.wheel.which == SDL_TOUCH_MOUSEID); break;
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP: event_pointer_seen(event, true); break;
        default: break;
        }
    }
}
