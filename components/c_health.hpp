// Health: points left, and whether they are gone.
#pragma once

#include "ecs/ecs.hpp"

struct CHealth {
    EntityId entity;
    i32 value;
    i32 max;
    bool dead;
};

void c_health_register();
void c_health_set(CHealth *health, i32 value);
