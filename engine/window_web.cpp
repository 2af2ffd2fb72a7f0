// The browser's window: the page lays out the canvas, and the drawing buffer follows it.
#include <emscripten/html5.h>

#include "engine/window.hpp"
#include "engine/window_platform.hpp"

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

SDL_Window *window_platform_create(const char *title, const vec2 *size, u32 flags) {
    return SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, static_cast<int>(size->x),
                            static_cast<int>(size->y), flags);
}

// The page sizes the canvas: SDL would hold a phone's small canvas at a minimum size (a buffer
// far larger than the canvas), and the display's area means nothing here.
void window_platform_place(Window *, const vec2 *) {}

void window_platform_update(Window *window) { canvas_follow(window); }
