#include "ecs/entity.hpp"

#include "game/game.hpp"

EntityId entity_add() { return game.ecs.entity_count++; }

void entity_delete(EntityId entity) {
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        ecs_delete(entity, kind);
    }
}
