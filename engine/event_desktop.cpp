#include <SDL2/SDL.h>
#ifdef _WIN32
#include <SDL2/SDL_syswm.h>
#endif

#include "engine/event.hpp"

namespace {

// F11, or Enter with Alt held; a held key's repeats are not new requests.
bool fullscreen_key(const SDL_KeyboardEvent &key) {
    if (key.repeat) return false;
    if (key.keysym.scancode == SDL_SCANCODE_F11) return true;
    bool enter = key.keysym.scancode == SDL_SCANCODE_RETURN || key.keysym.scancode == SDL_SCANCODE_KP_ENTER;
    return enter && (key.keysym.mod & KMOD_ALT);
}

// The pointer leaving, a resize and fullscreen coming or going are none of these: they never
// pause play.
void window_seen(Event *event, const SDL_WindowEvent &window) {
    event->current[EVENT_WINDOW] = true;
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST: event->current[EVENT_AWAY] = true; break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        event->current[EVENT_AWAY] = true;
        event->current[EVENT_HIDDEN] = true;
        event->current[EVENT_SHOWN] = false;
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
        event->current[EVENT_SHOWN] = true;
        event->current[EVENT_HIDDEN] = false;
        break;
    default: break;
    }
}

} // namespace

void event_init() {
#ifdef _WIN32
    // Windows holds the loop inside its own while a window is moved or resized by its frame; the
    // end of that loop is told only by a system message.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
#endif
}

void event_update(Event *event) {
    event_step_begin(event);
    SDL_Event sdl_event;
    while (SDL_PollEvent(&sdl_event)) {
        switch (sdl_event.type) {
        case SDL_KEYDOWN:
            if (fullscreen_key(sdl_event.key)) event->current[EVENT_FULLSCREEN] = true;
            break;
        case SDL_WINDOWEVENT: window_seen(event, sdl_event.window); break;
#ifdef _WIN32
        case SDL_SYSWMEVENT:
            if (sdl_event.syswm.msg->msg.win.msg == WM_EXITSIZEMOVE) event->current[EVENT_STALL_END] = true;
            break;
#endif
        default: event_shared_read(event, &sdl_event); break;
        }
    }
}
