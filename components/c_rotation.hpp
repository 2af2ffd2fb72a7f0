// Rotation: a keyboard-driven angle with acceleration, damping and a speed bound.
#pragma once

#include "ecs/ecs.hpp"

struct CRotation {
    EntityId entity;
    bool disabled;
    f32 speed;
    f32 damping;
    f32 angle;
    f32 acceleration;
    f32 speed_max;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CRotation>);

void c_rotation_register();
void c_rotation_set(CRotation *rotation, f32 acceleration, f32 speed_max, f32 damping);
