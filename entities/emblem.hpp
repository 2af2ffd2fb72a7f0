// The follower, attacker and warning textures are strips of one 64-pixel emblem cell per
// palette colour, in palette order: each builder shows the cell of its colour, so the shape
// says what the colour says.
#pragma once

#include "engine/types.hpp"

constexpr i32 EMBLEM_CELL = 64;
