// Circle: an entity's collision radius.
#pragma once

#include "ecs/ecs.hpp"

struct CCircle {
    EntityId entity;
    f32 radius;
};

void c_circle_register();
void c_circle_set(CCircle *circle, f32 radius);
