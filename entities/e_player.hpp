// The player: the white centre that follows the mouse, and the adding of its followers.
#pragma once

#include "ecs/ecs.hpp"

void player_init(EntityId player, vec3 position);
// Creates the next follower (palette order) on the player's circle; nothing once six stand.
void player_follower_add(EntityId player);
