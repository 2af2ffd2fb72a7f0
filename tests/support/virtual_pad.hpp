#pragma once
// A virtual controller with every axis and button of SDL's game controller layout, which SDL
// presents as a game controller with no device files. Rumbles go to `rumble` with `userdata`.
// Returns the joystick's device index, or -1 (SDL_GetError says why).
#include <SDL2/SDL.h>

inline int virtual_pad_attach(const char *name, int (*rumble)(void *, Uint16, Uint16), void *userdata) {
    SDL_VirtualJoystickDesc desc = {};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    desc.userdata = userdata;
    desc.Rumble = rumble;
    return SDL_JoystickAttachVirtualEx(&desc);
}
