#include "engine/window.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// How long a window manager has to give a window its old place and size back after fullscreen.
constexpr u64 WINDOW_RESTORE_WAIT_MS = 250;

} // namespace

#ifdef __EMSCRIPTEN__
#include <emscripten/html5.h>

namespace {

// SDL sizes the canvas's drawing buffer (its CSS size times the device pixel ratio) only on the
// browser window's resize event. The page's layout can change the canvas's CSS size without one
// (the stage going fullscreen, controls appearing beside it), and a blurred or cropped picture
// would follow: so the CSS size is checked before each frame is drawn and handed to SDL when
// it has moved. SDL truncates fractional CSS pixels, and so does this.
struct CanvasRequest {
    int width;
    int height;
    f32 ratio;
};
CanvasRequest asked = {};

void canvas_follow(Window *window) {
    double css_width = 0.0;
    double css_height = 0.0;
    if (emscripten_get_element_css_size("#canvas", &css_width, &css_height) != EMSCRIPTEN_RESULT_SUCCESS) return;
    int width = static_cast<int>(css_width);
    int height = static_cast<int>(css_height);
    if (width < 1 || height < 1) return; // not laid out (hidden): keep what SDL has
    f32 ratio = (window->flags & SDL_WINDOW_ALLOW_HIGHDPI) ? static_cast<f32>(emscripten_get_device_pixel_ratio()) : 1.0f;
    int buffer_width = 0;
    int buffer_height = 0;
    emscripten_get_canvas_element_size("#canvas", &buffer_width, &buffer_height);
    int points_width = 0;
    int points_height = 0;
    SDL_GetWindowSize(window->handle, &points_width, &points_height);
    if (points_width == width && points_height == height &&
        buffer_width == static_cast<int>(static_cast<f32>(width) * ratio) &&
        buffer_height == static_cast<int>(static_cast<f32>(height) * ratio)) {
        asked = {};
        return;
    }
    // Asked once per mismatch: should SDL refuse the size (a size limit), a buffer reset every
    // frame would cost more than the mismatch.
    if (asked.width == width && asked.height == height && asked.ratio == ratio) return;
    asked = {width, height, ratio};
    SDL_SetWindowSize(window->handle, width, height);
}

} // namespace
#else
namespace {

// Most window managers put a window back where and as large as it was when it leaves
// fullscreen; others, and a bare X server, leave it covering the display. It is put back here
// only where nothing else has, once the manager has had a moment: SDL places a window by its
// frame, and until the frame drawn again after fullscreen has been read it would count the
// frame of the fullscreen moment (none), so a window the manager had put back would be moved
// off by its frame. A window given another size meanwhile (by the player) is left as it is.
void windowed_restore(Window *window) {
    if (!window->restore_due) return;
    ivec4 now{};
    SDL_GetWindowPosition(window->handle, &now.x, &now.y);
    SDL_GetWindowSize(window->handle, &now.z, &now.w);
    bool back = now == window->windowed;
    if (!back && SDL_GetTicks64() < window->restore_due) return; // the manager may yet put it back
    window->restore_due = 0;
    SDL_Rect display{};
    if (back || SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window->handle), &display) != 0) return;
    if (now.z != display.w || now.w != display.h) return;
    SDL_SetWindowSize(window->handle, window->windowed.z, window->windowed.w);
    SDL_SetWindowPosition(window->handle, window->windowed.x, window->windowed.y);
}

} // namespace
#endif

void window_init(Window *window, const char *title, const vec2 *size, u32 flags) {
    window->size = *size;
    window->field = *size;
    window->title = title;
    window->flags = flags;
    window->fullscreen = false;
    window->restore_due = 0;
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
    if (!window->handle) return;
#ifndef __EMSCRIPTEN__
    // In the browser the page sizes the canvas: SDL would hold a phone's small canvas at the
    // minimum (a buffer far larger than the canvas) and the display's area means nothing there.
    // A window of a fixed size (the tests' hidden one) keeps the size it was asked for.
    if (!(flags & SDL_WINDOW_RESIZABLE)) return;
    SDL_SetWindowMinimumSize(window->handle, static_cast<int>(WINDOW_SIZE_MIN.x), static_cast<int>(WINDOW_SIZE_MIN.y));
    // The window with the frame the window manager draws around it must fit in what the
    // display's panels leave (a small laptop, or a panel along an edge of a display little
    // larger than the field): where it does not, the window gets the largest size of the
    // field's shape that does, placed whole in that area. On X the manager tells the frame's
    // size in an event, there by the time the window is shown; without a manager there is none.
    SDL_PumpEvents();
    int display = SDL_GetWindowDisplayIndex(window->handle);
    SDL_Rect usable{};
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &usable) != 0) return;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window->handle, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
    vec2 area = {static_cast<f32>(usable.w - left - right), static_cast<f32>(usable.h - top - bottom)};
    vec2 fit = window_size_fit(*size, area);
    if (fit.x >= size->x && fit.y >= size->y) return;
    SDL_SetWindowSize(window->handle, static_cast<int>(fit.x), static_cast<int>(fit.y));
    SDL_SetWindowPosition(window->handle, usable.x + left + (static_cast<int>(area.x) - static_cast<int>(fit.x)) / 2,
                          usable.y + top + (static_cast<int>(area.y) - static_cast<int>(fit.y)) / 2);
#endif
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
#ifdef __EMSCRIPTEN__
    canvas_follow(window);
#else
    windowed_restore(window);
#endif
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
