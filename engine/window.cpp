#include "engine/window.hpp"

#include <algorithm>
#include <cmath>

void window_init(Window *window, const char *title, const vec2 *size, u32 flags) {
    window->size = *size;
    window->field = *size;
    window->title = title;
    window->flags = flags;
    window->fullscreen = false;
#ifdef _WIN32
    // Under Wine the first X window of a GL window is replaced once its pixel format is set:
    // title only the window that stays, so nothing finds the short-lived one by its title.
    window->handle = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                      static_cast<int>(size->x), static_cast<int>(size->y), flags);
    if (window->handle) SDL_SetWindowTitle(window->handle, title);
#else
    window->handle = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                      static_cast<int>(size->x), static_cast<int>(size->y), flags);
#endif
    window_layout_set(window, *size, *size);
}

void window_free(Window *window) {
    if (window->handle) SDL_DestroyWindow(window->handle);
    *window = {};
}

void window_update(Window *window) {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window->handle, &width, &height);
    int drawable_width = 0;
    int drawable_height = 0;
    SDL_GL_GetDrawableSize(window->handle, &drawable_width, &drawable_height);
    window_layout_set(window, {static_cast<f32>(width), static_cast<f32>(height)},
                      {static_cast<f32>(drawable_width), static_cast<f32>(drawable_height)});
}

void window_layout_set(Window *window, vec2 size, vec2 drawable) {
    window->size = size;
    window->drawable = drawable;
    if (window->field.x <= 0.0f || window->field.y <= 0.0f || drawable.x <= 0.0f || drawable.y <= 0.0f) {
        window->viewport = {0, 0, static_cast<i32>(drawable.x), static_cast<i32>(drawable.y)};
        return;
    }
    // Whole drawable pixels, centred: a field that fits exactly fills the drawable from (0, 0).
    f64 scale = std::min(static_cast<f64>(drawable.x) / window->field.x, static_cast<f64>(drawable.y) / window->field.y);
    i32 width = std::max(1, static_cast<i32>(std::lround(window->field.x * scale)));
    i32 height = std::max(1, static_cast<i32>(std::lround(window->field.y * scale)));
    i32 x = (static_cast<i32>(drawable.x) - width) / 2;
    i32 y = (static_cast<i32>(drawable.y) - height) / 2;
    window->viewport = {std::max(0, x), std::max(0, y), width, height};
}

void window_ivec4_get(const Window *window, ivec4 *out) {
    *out = {0, 0, static_cast<i32>(window->size.x), static_cast<i32>(window->size.y)};
}

void window_coords_to_gl(const Window *window, const vec2 *in, vec2 *out) {
    out->x = (in->x / window->size.x) * 2.0f - 1.0f;
    out->y = (in->y / window->size.y) * 2.0f - 1.0f;
}

void window_field_coords_to_gl(const Window *window, const vec2 *in, vec2 *out) {
    out->x = (in->x / window->field.x) * 2.0f - 1.0f;
    out->y = (in->y / window->field.y) * 2.0f - 1.0f;
}

void window_point_to_field(const Window *window, const vec2 *in, vec2 *out) {
    const ivec4 &v = window->viewport;
    if (window->size.x <= 0.0f || window->size.y <= 0.0f || v.z <= 0 || v.w <= 0) {
        *out = *in;
        return;
    }
    // Points to drawable pixels, then into the field's rectangle (whose top is counted from the
    // drawable's top, as window points are). Where window, drawable and field agree, every
    // factor is 1 and every offset 0, so the point comes through unchanged to the bit.
    f32 density_x = window->drawable.x / window->size.x;
    f32 density_y = window->drawable.y / window->size.y;
    f32 top = window->drawable.y - static_cast<f32>(v.y + v.w);
    f32 x = (in->x * density_x - static_cast<f32>(v.x)) * (window->field.x / static_cast<f32>(v.z));
    f32 y = (in->y * density_y - top) * (window->field.y / static_cast<f32>(v.w));
    out->x = std::clamp(x, 0.0f, window->field.x);
    out->y = std::clamp(y, 0.0f, window->field.y);
}

void window_fullscreen_enter(Window *window) {
    SDL_DisplayMode mode{};
    SDL_GetCurrentDisplayMode(0, &mode);
    SDL_SetWindowSize(window->handle, mode.w, mode.h);
    window->fullscreen = true;
    SDL_SetWindowFullscreen(window->handle, SDL_WINDOW_FULLSCREEN);
}

void window_fullscreen_exit(Window *window) {
    window->fullscreen = false;
    SDL_SetWindowFullscreen(window->handle, 0);
}

void window_fullscreen_toggle(Window *window) {
    if (window->fullscreen) {
        window_fullscreen_exit(window);
    } else {
        window_fullscreen_enter(window);
    }
}
