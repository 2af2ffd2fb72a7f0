// One spinning, growing, fading particle that deletes itself.
#pragma once

#include "ecs/ecs.hpp"

void particle_init(EntityId particle, vec3 position, vec4 color_start, vec4 color_end, vec2 size, f32 growth, f32 spin,
                   i32 ticks);
