// Spin: turns a sprite at a constant angular speed.
#pragma once

#include "ecs/ecs.hpp"

struct CSpin {
    EntityId entity;
    f32 speed;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CSpin>);

void c_spin_register();
void c_spin_set(CSpin *spin, f32 speed);
