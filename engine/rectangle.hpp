// Point tests against axis-aligned rectangles stored as (min x, min y, max x, max y).
#pragma once

#include "engine/types.hpp"

bool rectangle_has_point(vec4 rectangle, vec2 point);
