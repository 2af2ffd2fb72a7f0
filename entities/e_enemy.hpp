// An attacker: a coloured, spinning game object that chases its target and hurts on contact.
#pragma once

#include "ecs/ecs.hpp"

void enemy_init(EntityId enemy, EntityId target, i32 color_index, vec3 position, f32 acceleration);
