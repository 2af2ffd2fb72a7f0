// Control: pushes an entity's velocity toward the mouse pointer.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CControl {
    EntityId entity;
    bool disabled;
    f32 speed_divisor;
    f32 dead_zone;
};

static_assert(std::is_trivially_copyable_v<CControl>);

void c_control_register();
void c_control_set(CControl *control, f32 speed_divisor, f32 dead_zone);
