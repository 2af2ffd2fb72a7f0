#include "engine/mouse.hpp"

#include <SDL2/SDL.h>

#include "engine/window.hpp"

void mouse_update(Mouse *mouse, const Window *window) {
    for (u32 i = 0; i < MOUSE_BUTTON_COUNT; i++) {
        mouse->previous[i] = mouse->current[i];
        mouse->current[i] = false;
    }
    int x = 0;
    int y = 0;
    Uint32 buttons = SDL_GetMouseState(&x, &y);
    mouse->current[MOUSE_BUTTON_LEFT] = buttons & SDL_BUTTON_LMASK;
    mouse->current[MOUSE_BUTTON_MIDDLE] = buttons & SDL_BUTTON_MMASK;
    mouse->current[MOUSE_BUTTON_RIGHT] = buttons & SDL_BUTTON_RMASK;
    vec2 point = {static_cast<f32>(x), static_cast<f32>(y)};
    window_point_to_field(window, &point, &mouse->position);
}

bool mouse_press(const Mouse *mouse, u32 button) { return mouse->current[button] && !mouse->previous[button]; }
bool mouse_held(const Mouse *mouse, u32 button) { return mouse->current[button] && mouse->previous[button]; }
bool mouse_release(const Mouse *mouse, u32 button) { return !mouse->current[button] && mouse->previous[button]; }
