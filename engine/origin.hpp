// Which point of a box a position names.
#pragma once

#include "engine/types.hpp"

enum Origin : i32 {
    ORIGIN_CENTER = 0,
    ORIGIN_TOP_LEFT = 1,
    ORIGIN_TOP_RIGHT = 2,
    ORIGIN_BOTTOM_LEFT = 3,
    ORIGIN_BOTTOM_RIGHT = 4,
};

// Offset of the origin point from the box's top-left corner; unknown values act as the centre.
void origin_2d_get(Origin origin, vec2 size, vec2 *offset);
