#include "engine/window.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/window_platform.hpp"

namespace {

// How long a window manager has to give a window its old place and size back after fullscreen.
constexpr u64 WINDOW_RESTORE_WAIT_MS = 250;

} // namespace

void window_init(Window *window, const char *title, const vec2 *size, u32 flags) {
    window->size = *size;
    window->field = *size;
    window->title = title;
    window->flags = flags;
    window->fullscreen = false;
    window->restore_due = 0;
    window->handle = window_platform_create(title, size, flags);
    window_layout_set(window, *size, *size);
    if (window->handle) window_platform_place(window, size);
}

vec2 window_size_fit(vec2 field, vec2 area) {
    if (field.x <= 0.0f || field.y <= 0.0f) return field;
    f64 scale = std::min({1.0, static_cast<f64>(area.x) / field.x, static_cast<f64>(area.y) / field.y});
    f64 minimum = std::min(static_cast<f64>(WINDOW_SIZE_MIN.x) / field.x, static_cast<f64>(WINDOW_SIZE_MIN.y) / field.y);
    scale = std::max(scale, minimum);
    // Whole points, and never a pixel over the area: rounding down keeps the shape within a point.
    return {static_cast<f32>(std::floor(field.x * scale)), static_cast<f32>(std::floor(field.y * scale))};
}

f32 window_scale_get(const Window *window) {
    if (window->field.x <= 0.0f || window->viewport.z <= 0) return 1.0f;
    return static_cast<f32>(window->viewport.z) / window->field.x;
}

void window_free(Window *window) {
    if (window->handle) SDL_DestroyWindow(window->handle);
    *window = {};
}

void window_update(Window *window) {
    window_platform_update(window);
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
    // factor is 1 and every offset 0, so the point comes through unchanged to the bit. In double
    // precision, a whole window point over a field point at any scale maps back to that field
    // point exactly, so steering does not depend on the window's size even in the last bit.
    f64 density_x = static_cast<f64>(window->drawable.x) / window->size.x;
    f64 density_y = static_cast<f64>(window->drawable.y) / window->size.y;
    f64 top = static_cast<f64>(window->drawable.y) - static_cast<f64>(v.y + v.w);
    f32 x = static_cast<f32>((in->x * density_x - v.x) * (static_cast<f64>(window->field.x) / v.z));
    f32 y = static_cast<f32>((in->y * density_y - top) * (static_cast<f64>(window->field.y) / v.w));
    out->x = std::clamp(x, 0.0f, window->field.x);
    out->y = std::clamp(y, 0.0f, window->field.y);
}

void window_fullscreen_enter(Window *window) {
    if (window->fullscreen || !window->handle) return;
    ivec4 windowed = window->windowed;
    // Back in before the window was put back: it is not yet where it belongs, so keep the old place.
    if (!window->restore_due) {
        SDL_GetWindowPosition(window->handle, &windowed.x, &windowed.y);
        SDL_GetWindowSize(window->handle, &windowed.z, &windowed.w);
    }
    // Desktop fullscreen: the display keeps its mode, so nothing flickers and other windows
    // keep their places. SDL picks the display the window is on.
    if (SDL_SetWindowFullscreen(window->handle, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        std::printf("SDL2 FULLSCREEN ERROR: %s\n", SDL_GetError());
        return;
    }
    window->windowed = windowed;
    window->restore_due = 0;
    window->fullscreen = true;
}

void window_fullscreen_exit(Window *window) {
    if (!window->fullscreen || !window->handle) return;
    if (SDL_SetWindowFullscreen(window->handle, 0) != 0) {
        std::printf("SDL2 FULLSCREEN ERROR: %s\n", SDL_GetError());
        return;
    }
    window->fullscreen = false;
    // Put back by window_update, if the window manager does not do it first.
    if (window->windowed.z > 0 && window->windowed.w > 0) window->restore_due = SDL_GetTicks64() + WINDOW_RESTORE_WAIT_MS;
}

void window_fullscreen_toggle(Window *window) {
    if (window->fullscreen) {
        window_fullscreen_exit(window);
    } else {
        window_fullscreen_enter(window);
    }
}
