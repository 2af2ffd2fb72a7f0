// Circle: an entity's collision radius.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CCircle {
    EntityId entity;
    f32 radius;
};

static_assert(std::is_trivially_copyable_v<CCircle>);

void c_circle_register();
void c_circle_set(CCircle *circle, f32 radius);
