// Contact damage: reports a hit to the first touching entity that can take damage.
#pragma once

#include "ecs/ecs.hpp"

struct CContactDamage {
    EntityId entity;
};

void c_contact_damage_register();
