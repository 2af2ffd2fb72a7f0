#include "engine/window.hpp"

void window_init(Window *window, const char *title, const vec2 *size, u32 flags) {
    window->size = *size;
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
}

void window_free(Window *window) {
    if (window->handle) SDL_DestroyWindow(window->handle);
    *window = {};
}

void window_update(Window *window) {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window->handle, &width, &height);
    window->size = {static_cast<f32>(width), static_cast<f32>(height)};
}

void window_ivec4_get(const Window *window, ivec4 *out) {
    *out = {0, 0, static_cast<i32>(window->size.x), static_cast<i32>(window->size.y)};
}

void window_coords_to_gl(const Window *window, const vec2 *in, vec2 *out) {
    out->x = (in->x / window->size.x) * 2.0f - 1.0f;
    out->y = (in->y / window->size.y) * 2.0f - 1.0f;
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
