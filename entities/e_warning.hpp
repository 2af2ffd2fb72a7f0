// The fading marker that shows where an attacker comes in.
#pragma once

#include "ecs/ecs.hpp"

void warning_init(EntityId warning, vec3 position, i32 color_index);
