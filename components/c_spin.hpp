// Spin: turns a sprite at a constant angular speed.
#pragma once

#include "ecs/ecs.hpp"

struct CSpin {
    EntityId entity;
    f32 speed;
};

void c_spin_register();
void c_spin_set(CSpin *spin, f32 speed);
