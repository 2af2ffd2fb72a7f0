// A text that can also fade (colour change) and pop (scale change).
#pragma once

#include "ecs/ecs.hpp"
#include "engine/font.hpp"
#include "engine/origin.hpp"

void text_init(EntityId entity, Origin origin, Font font, const char *string, i32 length, i32 wrap_width,
               const vec4 *color, const vec3 *position);
