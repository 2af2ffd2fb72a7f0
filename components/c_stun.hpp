// Stun: freezes steering, spinning and motion for a number of steps.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CStun {
    EntityId entity;
    i32 timer;
    i32 duration;
    bool active;
};

static_assert(std::is_trivially_copyable_v<CStun>);

void c_stun_register();
void c_stun_set(CStun *stun, i32 ticks);
