// The four kinds of timed change shared by moves, colour changes and scale changes.
#pragma once

#include "engine/types.hpp"

enum ChangeType : i32 {
    CHANGE_FORWARD_RESET = 0,
    CHANGE_BACKWARD_RESET = 1,
    CHANGE_FORWARD_HOLD = 2,
    CHANGE_BACKWARD_HOLD = 3,
};

// One step of a timed change of *driven. The progress t = timer / duration is taken before the
// timer is counted down (1 on the first step, 1/duration on the last); the forward types write
// forward(t), the backward types backward(t), any other type nothing. When the timer runs out
// the reset types put *driven back on base exactly. Returns true once the change has ended.
template <typename T, typename Forward, typename Backward>
bool change_step(T *driven, const T &base, i32 *timer, i32 duration, ChangeType type, Forward forward,
                 Backward backward) {
    f32 t = static_cast<f32>(*timer) / static_cast<f32>(duration);
    switch (type) {
    case CHANGE_FORWARD_RESET:
    case CHANGE_FORWARD_HOLD:
        *driven = forward(t);
        break;
    case CHANGE_BACKWARD_RESET:
    case CHANGE_BACKWARD_HOLD:
        *driven = backward(t);
        break;
    default:
        break;
    }
    *timer -= 1;
    if (*timer > 0) return false;
    if (type == CHANGE_FORWARD_RESET || type == CHANGE_BACKWARD_RESET) *driven = base;
    return true;
}
