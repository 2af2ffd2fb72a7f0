// Entity ids: a counter that starts at 0 and is never reset.
#pragma once

#include "ecs/ecs.hpp"

EntityId entity_add();
// Deletes the entity's record of every kind, in kind order, running their delete callbacks.
void entity_delete(EntityId entity);
