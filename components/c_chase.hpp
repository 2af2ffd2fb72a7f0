// Chase: pushes an entity's velocity toward a target entity by a fixed amount each step.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CChase {
    EntityId entity;
    EntityId target;
    f32 acceleration;
};

static_assert(std::is_trivially_copyable_v<CChase>);

void c_chase_register();
void c_chase_set(CChase *chase, EntityId target, f32 acceleration);
