// Player death: the staged death sequence once the player's health is gone.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CPlayerDeath {
    EntityId entity;
    i32 stage;
    i32 timer;
};

static_assert(std::is_trivially_copyable_v<CPlayerDeath>);

void c_player_death_register();
