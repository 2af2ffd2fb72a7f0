// A text that is also a button.
#pragma once

#include "ecs/ecs.hpp"
#include "engine/font.hpp"
#include "engine/origin.hpp"

void ui_button_init(EntityId entity, Origin origin, Font font, const char *string, i32 length, const vec4 *color,
                    const vec4 *hover_color, const vec3 *position);
