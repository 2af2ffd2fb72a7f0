// The one SDL window with an OpenGL surface.
#pragma once

#include <SDL2/SDL.h>

#include "engine/types.hpp"

struct Window {
    SDL_Window *handle;
    const char *title;
    u32 flags;
    vec2 size;
    bool fullscreen;
};

void window_init(Window *window, const char *title, const vec2 *size, u32 flags);
void window_free(Window *window);
void window_update(Window *window);
void window_ivec4_get(const Window *window, ivec4 *out);
void window_coords_to_gl(const Window *window, const vec2 *in, vec2 *out);
void window_fullscreen_enter(Window *window);
void window_fullscreen_exit(Window *window);
void window_fullscreen_toggle(Window *window);
