// The desktop's window: fitted to the display's free area when made, and put back after
// fullscreen where the window manager does not.
#include "engine/window.hpp"
#include "engine/window_platform.hpp"

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

SDL_Window *window_platform_create(const char *title, const vec2 *size, u32 flags) {
#ifdef _WIN32
    // Under Wine the first X window of a GL window is replaced once its pixel format is set:
    // title only the window that stays, so nothing finds the short-lived one by its title.
    SDL_Window *handle = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          static_cast<int>(size->x), static_cast<int>(size->y), flags);
    if (handle) SDL_SetWindowTitle(handle, title);
    return handle;
#else
    return SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, static_cast<int>(size->x),
                            static_cast<int>(size->y), flags);
#endif
}

void window_platform_place(Window *window, const vec2 *size) {
    // A window of a fixed size (the tests' hidden one) keeps the size it was asked for.
    if (!(window->flags & SDL_WINDOW_RESIZABLE)) return;
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
}

void window_platform_update(Window *window) { windowed_restore(window); }
