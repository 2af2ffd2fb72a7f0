// The four kinds of timed change shared by moves, colour changes and scale changes.
#pragma once

#include "engine/types.hpp"

enum ChangeType : i32 {
    CHANGE_FORWARD_RESET = 0,
    CHANGE_BACKWARD_RESET = 1,
    CHANGE_FORWARD_HOLD = 2,
    CHANGE_BACKWARD_HOLD = 3,
};
