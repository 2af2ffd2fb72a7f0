// The one SDL window with an OpenGL surface, and where the field sits in it: the field keeps
// its own size in game pixels and is drawn scaled uniformly to the largest size that fits,
// centred, with black bars on the two sides that have room.
#pragma once

#include <SDL2/SDL.h>

#include "engine/types.hpp"

struct Window {
    SDL_Window *handle;
    const char *title;
    u32 flags;
    vec2 size;     // window points (the unit of SDL's window and mouse coordinates)
    bool fullscreen;
    vec2 field;    // the field in game pixels: the size the window was made with
    vec2 drawable; // the GL drawable in pixels (more than size on high-density displays)
    ivec4 viewport; // the field's rectangle in drawable pixels, from the bottom left as GL counts
    ivec4 windowed; // the window's place and size (x, y, width, height) before fullscreen
    u64 restore_due; // after leaving fullscreen, when (SDL ticks) to put it back there if the window
                     // manager has not; 0 when nothing is due
};

constexpr vec2 WINDOW_SIZE_MIN = {640.0f, 360.0f};

void window_init(Window *window, const char *title, const vec2 *size, u32 flags);
void window_free(Window *window);
void window_update(Window *window);
void window_ivec4_get(const Window *window, ivec4 *out);
void window_coords_to_gl(const Window *window, const vec2 *in, vec2 *out);
// Field pixels to -1 ... 1 on each axis, as window_coords_to_gl does for window pixels.
void window_field_coords_to_gl(const Window *window, const vec2 *in, vec2 *out);
// A point in window points to field pixels, clamped to the field: over a bar it is the
// nearest point of the field's edge.
void window_point_to_field(const Window *window, const vec2 *in, vec2 *out);
// Places the field in a window of the given size in points and drawable pixels.
void window_layout_set(Window *window, vec2 size, vec2 drawable);
// The largest size of the field's shape, at most the field itself, that fits in an area
// (the display's usable area less the window's frame); never under the minimum.
vec2 window_size_fit(vec2 field, vec2 area);
// Display pixels per field pixel, as the viewport shows it.
f32 window_scale_get(const Window *window);
// Fullscreen on the display the window is on, at the desktop's own resolution; leaving it
// puts the window back where and as large as it was.
void window_fullscreen_enter(Window *window);
void window_fullscreen_exit(Window *window);
void window_fullscreen_toggle(Window *window);
