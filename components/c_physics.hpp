// Physics: position and velocity integrated each step with damping and a per-axis bound.
#pragma once

#include "ecs/ecs.hpp"

struct CPhysics {
    EntityId entity;
    f32 velocity_max;
    f32 damping;
    vec3 position;
    vec3 velocity;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CPhysics>);

void c_physics_register();
void c_physics_set(CPhysics *physics, vec3 position, f32 damping, f32 velocity_max);
