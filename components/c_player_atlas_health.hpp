// Player atlas health: shows the health lost as the sprite's atlas cell.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CPlayerAtlasHealth {
    EntityId entity;
};

static_assert(std::is_trivially_copyable_v<CPlayerAtlasHealth>);

void c_player_atlas_health_register();
