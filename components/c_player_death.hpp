// Player death: the staged death sequence once the player's health is gone.
#pragma once

#include "ecs/ecs.hpp"

struct CPlayerDeath {
    EntityId entity;
    i32 stage;
    i32 timer;
};

void c_player_death_register();
