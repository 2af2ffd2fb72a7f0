// Pulsate: a sprite's scale following a sine wave around a base scale.
#pragma once

#include "ecs/ecs.hpp"

struct CPulsate {
    EntityId entity;
    f32 base_scale;
    f32 amplitude;
    i32 timer;
    i32 period;
    bool done;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CPulsate>);

void c_pulsate_register();
void c_pulsate_set(CPulsate *pulsate, f32 base_scale, f32 amplitude, i32 period);
