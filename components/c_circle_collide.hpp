// Circle collide: the list, rebuilt every step, of entities whose circles overlap this one's.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"
#include "engine/vector.hpp"

struct CCircleCollide {
    EntityId entity;
    Vector collisions;
};

static_assert(std::is_trivially_copyable_v<CCircleCollide>);

void c_circle_collide_register();
