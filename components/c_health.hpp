// Health: points left, and whether they are gone.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CHealth {
    EntityId entity;
    i32 value;
    i32 max;
    bool dead;
};

static_assert(std::is_trivially_copyable_v<CHealth>);

void c_health_register();
void c_health_set(CHealth *health, i32 value);
