// Contact damage: reports a hit to the first touching entity that can take damage.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CContactDamage {
    EntityId entity;
};

static_assert(std::is_trivially_copyable_v<CContactDamage>);

void c_contact_damage_register();
