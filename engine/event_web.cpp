#include <SDL2/SDL.h>

#include "engine/event.hpp"

// The page owns fullscreen (its button, and the browser's own F11) and tells the game itself
// when it is hidden, so only the quit request and the pointer are read here.
void event_init() {}

void event_update(Event *event) {
    event_step_begin(event);
    SDL_Event sdl_event;
    while (SDL_PollEvent(&sdl_event)) event_shared_read(event, &sdl_event);
}
