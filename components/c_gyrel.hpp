// Gyrel: member entities standing evenly spaced on a circle around the owner, turned by
// the owner's rotation. Owns its members: deleting it deletes them.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"
#include "engine/vector.hpp"

struct CGyrel {
    EntityId entity;
    Vector objects;
    f32 radius;
};

static_assert(std::is_trivially_copyable_v<CGyrel>);

void c_gyrel_register();
void c_gyrel_set(CGyrel *gyrel, f32 radius);
void c_gyrel_object_add(CGyrel *gyrel, EntityId member);
void c_gyrel_object_delete(CGyrel *gyrel, EntityId member);
void c_gyrel_object_clear(CGyrel *gyrel);
