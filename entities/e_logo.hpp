// The menu's title logo, fading in while it glides upward.
#pragma once

#include "ecs/ecs.hpp"

void logo_init(EntityId entity);
