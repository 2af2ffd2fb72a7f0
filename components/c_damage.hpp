// Damage: turns a reported hit into a lost health point, a red flash, a stun and invulnerability.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CDamage {
    EntityId entity;
    i32 cooldown;
    bool hit;
    bool damaged;
};

static_assert(std::is_trivially_copyable_v<CDamage>);

void c_damage_register();
