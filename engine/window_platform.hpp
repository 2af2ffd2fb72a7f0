// What the desktop and the browser do differently with the one window. window_desktop.cpp and
// window_web.cpp each define these; the build compiles the one of its platform.
#pragma once

#include <SDL2/SDL.h>

#include "engine/types.hpp"

struct Window;

// Makes the window of `size` points with the given title and SDL flags; null on failure.
SDL_Window *window_platform_create(const char *title, const vec2 *size, u32 flags);
// Fits the new window to where it is shown (the field's size was already laid out).
void window_platform_place(Window *window, const vec2 *size);
// Before each frame, ahead of reading the window's size.
void window_platform_update(Window *window);
