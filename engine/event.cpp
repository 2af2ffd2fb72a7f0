#include "engine/event.hpp"

#include <SDL2/SDL.h>
#ifdef _WIN32
#include <SDL2/SDL_syswm.h>
#endif

namespace {

// F11, or Enter with Alt held; a held key's repeats are not new requests. In the browser the
// page owns fullscreen (its button, and the browser's own F11).
bool fullscreen_key(const SDL_KeyboardEvent &key) {
#ifdef __EMSCRIPTEN__
    (void)key;
    return false;
#else
    if (key.repeat) return false;
    if (key.keysym.scancode == SDL_SCANCODE_F11) return true;
    bool enter = key.keysym.scancode == SDL_SCANCODE_RETURN || key.keysym.scancode == SDL_SCANCODE_KP_ENTER;
    return enter && (key.keysym.mod & KMOD_ALT);
#endif
}

} // namespace

void event_init() {
#ifdef _WIN32
    // Windows holds the loop inside its own while a window is moved or resized by its frame; the
    // end of that loop is told only by a system message.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
#endif
}

namespace {

void pointer_seen(Event *event, Uint32 mouse) {
    bool touch = mouse == SDL_TOUCH_MOUSEID;
    event->current[touch ? EVENT_TOUCH : EVENT_MOUSE] = true;
    event->pointer_touch = touch;
}

} // namespace

void event_update(Event *event) {
    for (u32 i = 0; i < EVENT_COUNT; i++) {
        event->previous[i] = event->current[i];
        event->current[i] = false;
    }
    SDL_Event sdl_event;
    while (SDL_PollEvent(&sdl_event)) {
        switch (sdl_event.type) {
        case SDL_QUIT: event->current[EVENT_QUIT] = true; break;
        case SDL_KEYDOWN:
            if (fullscreen_key(sdl_event.key)) event->current[EVENT_FULLSCREEN] = true;
            break;
        case SDL_MOUSEMOTION: pointer_seen(event, sdl_event.motion.which); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: pointer_seen(event, sdl_event.button.which); break;
        case SDL_MOUSEWHEEL: pointer_seen(event, sdl_event.wheel.which); break;
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP: pointer_seen(event, SDL_TOUCH_MOUSEID); break;
#ifdef _WIN32
        case SDL_SYSWMEVENT:
            if (sdl_event.syswm.msg->msg.win.msg == WM_EXITSIZEMOVE) event->current[EVENT_STALL_END] = true;
            break;
#endif
        default: break;
        }
    }
}

bool event_press(const Event *event, u32 kind) { return event->current[kind] && !event->previous[kind]; }
bool event_held(const Event *event, u32 kind) { return event->current[kind] && event->previous[kind]; }
bool event_release(const Event *event, u32 kind) { return !event->current[kind] && event->previous[kind]; }
