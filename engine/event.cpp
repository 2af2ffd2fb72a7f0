#include "engine/event.hpp"

#include <SDL2/SDL.h>

void event_update(Event *event) {
    for (u32 i = 0; i < EVENT_COUNT; i++) {
        event->previous[i] = event->current[i];
        event->current[i] = false;
    }
    SDL_Event sdl_event;
    while (SDL_PollEvent(&sdl_event)) {
        if (sdl_event.type == SDL_QUIT) event->current[EVENT_QUIT] = true;
    }
}

bool event_press(const Event *event, u32 kind) { return event->current[kind] && !event->previous[kind]; }
bool event_held(const Event *event, u32 kind) { return event->current[kind] && event->previous[kind]; }
bool event_release(const Event *event, u32 kind) { return !event->current[kind] && event->previous[kind]; }
