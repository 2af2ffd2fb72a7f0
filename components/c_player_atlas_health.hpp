// Player atlas health: shows the health lost as the sprite's atlas cell.
#pragma once

#include "ecs/ecs.hpp"

struct CPlayerAtlasHealth {
    EntityId entity;
};

void c_player_atlas_health_register();
