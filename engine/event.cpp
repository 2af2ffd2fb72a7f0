#include "engine/event.hpp"

bool event_press(const Event *event, u32 kind) { return event->current[kind] && !event->previous[kind]; }
bool event_held(const Event *event, u32 kind) { return event->current[kind] && event->previous[kind]; }
bool event_release(const Event *event, u32 kind) { return !event->current[kind] && event->previous[kind]; }

void event_pointer_seen(Event *event, bool touch) {
    event->current[touch ? EVENT_TOUCH : EVENT_MOUSE] = true;
    event->pointer_touch = touch;
}

void event_step_begin(Event *event) {
    for (u32 i = 0; i < EVENT_COUNT; i++) {
        event->previous[i] = event->current[i];
        event->current[i] = false;
    }
}
