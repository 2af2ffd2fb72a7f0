// One coloured follower of the player.
#pragma once

#include "ecs/ecs.hpp"

void follower_init(EntityId follower, i32 color_index);
