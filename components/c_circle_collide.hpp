// Circle collide: the list, rebuilt every step, of entities whose circles overlap this one's.
#pragma once

#include "ecs/ecs.hpp"
#include "engine/vector.hpp"

struct CCircleCollide {
    EntityId entity;
    Vector collisions;
};

void c_circle_collide_register();
