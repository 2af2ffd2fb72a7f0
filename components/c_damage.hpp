// Damage: turns a reported hit into a lost health point, a red flash, a stun and invulnerability.
#pragma once

#include "ecs/ecs.hpp"

struct CDamage {
    EntityId entity;
    i32 cooldown;
    bool hit;
    bool damaged;
};

void c_damage_register();
